#include "integrations/bookmarks/html_text.h"

#include "platform/ascii_text.h"

#include <array>
#include <utility>

namespace kelvo::bookmarks {

namespace {

// Longest reference we try to read, "&#x10FFFF;" or a named one.
constexpr size_t kLongestReference = 10;

constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kNamed{{
    {"amp", "&"},
    {"lt", "<"},
    {"gt", ">"},
    {"quot", "\""},
    {"apos", "'"},
    {"nbsp", "\xC2\xA0"},
}};

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Decodes the reference whose name or number is body ("amp", "#39",
// "#x27"); false when it is none we know.
bool decodeReference(std::string_view body, std::string& out) {
    if (body.size() > 1 && body[0] == '#') {
        const bool hex = body[1] == 'x' || body[1] == 'X';
        std::string_view digits = body.substr(hex ? 2 : 1);
        if (digits.empty()) {
            return false;
        }
        unsigned long value = 0;
        for (char c : digits) {
            const int digit = hex ? hexDigitValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
            if (digit < 0) {
                return false;
            }
            value = value * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
            if (value > 0x10FFFF) {
                return false;
            }
        }
        return appendUtf8(out, value);
    }
    for (const auto& [name, text] : kNamed) {
        if (body == name) {
            out += text;
            return true;
        }
    }
    return false;
}

} // namespace

bool appendUtf8(std::string& out, unsigned long cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return false;
    }
    auto byte = [&out](unsigned long b) { out.push_back(static_cast<char>(b)); };
    if (cp < 0x80) {
        byte(cp);
    } else if (cp < 0x800) {
        byte(0xC0 | (cp >> 6));
        byte(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        byte(0xE0 | (cp >> 12));
        byte(0x80 | ((cp >> 6) & 0x3F));
        byte(0x80 | (cp & 0x3F));
    } else {
        byte(0xF0 | (cp >> 18));
        byte(0x80 | ((cp >> 12) & 0x3F));
        byte(0x80 | ((cp >> 6) & 0x3F));
        byte(0x80 | (cp & 0x3F));
    }
    return true;
}

std::string decodeEntities(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const size_t amp = text.find('&', i);
        if (amp == std::string_view::npos) {
            out.append(text.substr(i));
            break;
        }
        out.append(text.substr(i, amp - i));
        const size_t semicolon = text.find(';', amp + 1);
        if (semicolon != std::string_view::npos && semicolon - amp - 1 <= kLongestReference &&
            decodeReference(text.substr(amp + 1, semicolon - amp - 1), out)) {
            i = semicolon + 1;
        } else {
            out.push_back('&');
            i = amp + 1;
        }
    }
    return out;
}

std::string collapseWhitespace(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool pendingBlank = false;
    for (char c : text) {
        if (isSpace(c)) {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank) {
            out.push_back(' ');
            pendingBlank = false;
        }
        out.push_back(c);
    }
    return out;
}

} // namespace kelvo::bookmarks
