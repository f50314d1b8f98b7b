#include "speech/match_key.h"

namespace kelvo {

std::string matchKey(std::string_view phraseText, std::string_view typePart) {
    std::string key = " [Text=";
    key += phraseText;
    key += ", RecoType=";
    key += typePart;
    key += ']';
    return key;
}

std::string recognitionKey(std::string_view phraseText, int recognitionType) {
    return matchKey(phraseText, std::to_string(recognitionType));
}

std::string junkKey(std::string_view phraseText) {
    return matchKey(phraseText, "junk");
}

std::string standardKeyOf(std::string_view phrase) {
    return std::string(trimmed(matchKey(phrase, "0")));
}

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string interferenceText(int code) {
    switch (code) {
    case 1:
        return "Noise. turn off background noise.";
    case 3:
        return "Too loud. Speak softly.";
    case 4:
        return "Too quiet. Speak louder.";
    case 5:
        return "Too fast. Speak more slowly.";
    case 6:
        return "too slow. speak faster.";
    default:
        return {};
    }
}

std::optional<std::string> interferenceSignalText(int code) {
    switch (code) {
    case 0:
        return std::string();
    case 2:
        return std::string("No signal - check mic");
    default:
        return std::nullopt;
    }
}

} // namespace kelvo
