#include "speech/spoken_numbers.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kelvo {

namespace {

constexpr std::array<std::string_view, 20> kUnder20 = {
    "zero",     "one",     "two",     "three",     "four",     "five",    "six",
    "seven",    "eight",   "nine",    "ten",       "eleven",   "twelve",  "thirteen",
    "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};

constexpr std::array<std::string_view, 8> kTens = {"twenty", "thirty",  "forty",  "fifty",
                                                   "sixty",  "seventy", "eighty", "ninety"};

std::string lowered(std::string_view word) {
    std::string out(word);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

} // namespace

std::int16_t wordToNumber(std::string_view word) {
    const std::string text = lowered(word);
    for (std::size_t value = 0; value < kUnder20.size(); ++value)
        if (text == kUnder20[value])
            return static_cast<std::int16_t>(value);
    for (std::size_t tens = 0; tens < kTens.size(); ++tens) {
        const std::string_view name = kTens[tens];
        const auto base = static_cast<std::int16_t>(20 + 10 * tens);
        if (text == name)
            return base;
        // A tens word, exactly one blank, a units word one to nine.
        if (text.size() > name.size() + 1 && text.compare(0, name.size(), name) == 0 &&
            text[name.size()] == ' ') {
            const std::string_view unit = std::string_view(text).substr(name.size() + 1);
            for (std::size_t u = 1; u <= 9; ++u)
                if (unit == kUnder20[u])
                    return static_cast<std::int16_t>(base + u);
        }
    }
    if (text == "one hundred")
        return 100;
    if (text == "to")
        return 2;
    if (text == "o")
        return 0;
    return -1;
}

std::string numberWordToDigits(std::string_view word) {
    const std::int16_t value = wordToNumber(word);
    if (value < 0)
        return std::string(word);
    return std::to_string(value);
}

} // namespace kelvo
