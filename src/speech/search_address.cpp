#include "speech/search_address.h"

#include "speech/spoken_numbers.h"

namespace kelvo {

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return std::string(text);
    }
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    for (auto hit = text.find(from); hit != std::string_view::npos; hit = text.find(from, start)) {
        result.append(text, start, hit - start);
        result += to;
        start = hit + from.size();
    }
    result.append(text, start, std::string_view::npos);
    return result;
}

std::string percentEncode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                                byte == '_' || byte == '~';
        if (unreserved) {
            result += c;
        } else {
            result += '%';
            result += kHex[byte >> 4];
            result += kHex[byte & 0x0F];
        }
    }
    return result;
}

std::string joinSearchWords(std::string_view words, std::string_view ct) {
    std::string result;
    std::size_t start = 0;
    while (true) {
        const auto blank = words.find(' ', start);
        result += percentEncode(words.substr(start, blank - start));
        if (blank == std::string_view::npos) {
            break;
        }
        result += ct;
        start = blank + 1;
    }
    return result;
}

std::string webSearchAddress(const PendingSearch& search, std::string_view words) {
    return replaceAll(search.u, search.p, joinSearchWords(words, search.ct));
}

std::string localSearchAddress(const PendingSearch& search, std::string_view words,
                               std::string_view location) {
    // One pass over the template fills both placeholders, so neither the
    // words nor the location can be taken for a placeholder themselves.
    const std::string encodedWords = percentEncode(words);
    const std::string encodedLocation = percentEncode(location);
    const std::string_view text = search.u;
    std::string result;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!search.p.empty() && text.compare(i, search.p.size(), search.p) == 0) {
            result += encodedWords;
            i += search.p.size();
        } else if (!search.p2.empty() && text.compare(i, search.p2.size(), search.p2) == 0) {
            result += encodedLocation;
            i += search.p2.size();
        } else {
            result += text[i];
            ++i;
        }
    }
    return result;
}

std::string zipFromWords(std::string_view words) {
    std::string result;
    std::size_t start = 0;
    while (true) {
        const auto blank = words.find(' ', start);
        result += numberWordToDigits(words.substr(start, blank - start));
        if (blank == std::string_view::npos) {
            break;
        }
        start = blank + 1;
    }
    return result;
}

} // namespace kelvo
