#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace kelvo {

/// The lower-case form of an ASCII letter; every other byte is kept, so
/// UTF-8 and Windows-1252 text pass through unchanged.
constexpr char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

/// The text with its ASCII letters in lower case, as asciiLower makes them.
inline std::string asciiLowered(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), asciiLower);
    return lower;
}

/// The text without the blanks, tabs and carriage returns at either end,
/// as a line of a key or settings file is read.
constexpr std::string_view trimmedBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

/// True when the texts differ at most in the case of ASCII letters, as
/// setting and key names are compared.
constexpr bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

/// The value of a hex digit of either case, or -1 for any other character.
constexpr int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

} // namespace kelvo
