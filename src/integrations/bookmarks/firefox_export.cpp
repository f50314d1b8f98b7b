#include "integrations/bookmarks/firefox_export.h"

#include "integrations/bookmarks/html_text.h"
#include "platform/ascii_text.h"

namespace kelvo::bookmarks {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool startsWithIgnoreCase(std::string_view text, size_t at, std::string_view prefix) {
    return text.size() - at >= prefix.size() &&
           equalsIgnoreCase(text.substr(at, prefix.size()), prefix);
}

// Position of the next closing "</a" tag from `from` on, any case.
size_t findAnchorEnd(std::string_view html, size_t from) {
    for (size_t at = html.find("</", from); at != std::string_view::npos;
         at = html.find("</", at + 2)) {
        if (at + 2 < html.size() && (html[at + 2] == 'a' || html[at + 2] == 'A') &&
            (at + 3 == html.size() || isSpace(html[at + 3]) || html[at + 3] == '>')) {
            return at;
        }
    }
    return std::string_view::npos;
}

struct Tag {
    size_t end = std::string_view::npos; // one past the closing '>'
    std::string_view href;
    bool hasHref = false;
};

// Reads the attributes of a tag whose name ends at `at`, up to its '>',
// keeping the HREF value as written.
Tag readTag(std::string_view html, size_t at) {
    Tag tag;
    size_t i = at;
    while (i < html.size()) {
        while (i < html.size() && (isSpace(html[i]) || html[i] == '/')) {
            ++i;
        }
        if (i >= html.size()) {
            break;
        }
        if (html[i] == '>') {
            tag.end = i + 1;
            return tag;
        }
        const size_t nameStart = i;
        while (i < html.size() && !isSpace(html[i]) && html[i] != '=' && html[i] != '>') {
            ++i;
        }
        const std::string_view name = html.substr(nameStart, i - nameStart);
        while (i < html.size() && isSpace(html[i])) {
            ++i;
        }
        std::string_view value;
        if (i < html.size() && html[i] == '=') {
            ++i;
            while (i < html.size() && isSpace(html[i])) {
                ++i;
            }
            if (i < html.size() && (html[i] == '"' || html[i] == '\'')) {
                const char quote = html[i];
                const size_t close = html.find(quote, i + 1);
                if (close == std::string_view::npos) {
                    return tag; // unfinished tag: nothing more to read
                }
                value = html.substr(i + 1, close - i - 1);
                i = close + 1;
            } else {
                const size_t start = i;
                while (i < html.size() && !isSpace(html[i]) && html[i] != '>') {
                    ++i;
                }
                value = html.substr(start, i - start);
            }
        }
        if (!tag.hasHref && equalsIgnoreCase(name, "href")) {
            tag.href = value;
            tag.hasHref = true;
        }
    }
    return tag;
}

// The text of an element's content with any tags inside it left out.
std::string textWithoutTags(std::string_view content) {
    std::string out;
    out.reserve(content.size());
    size_t i = 0;
    while (i < content.size()) {
        const size_t lt = content.find('<', i);
        if (lt == std::string_view::npos) {
            out.append(content.substr(i));
            break;
        }
        out.append(content.substr(i, lt - i));
        const size_t gt = content.find('>', lt);
        if (gt == std::string_view::npos) {
            break;
        }
        i = gt + 1;
    }
    return out;
}

} // namespace

void parseFirefoxExport(std::string_view html, const SearchFilter& filter, BookmarkRows& rows) {
    size_t i = 0;
    while (i < html.size()) {
        const size_t lt = html.find('<', i);
        if (lt == std::string_view::npos) {
            return;
        }
        if (html.compare(lt, 4, "<!--") == 0) {
            const size_t close = html.find("-->", lt + 4);
            if (close == std::string_view::npos) {
                return;
            }
            i = close + 3;
            continue;
        }
        const bool anchor = lt + 2 < html.size() && (html[lt + 1] == 'a' || html[lt + 1] == 'A') &&
                            (isSpace(html[lt + 2]) || html[lt + 2] == '>');
        if (!anchor) {
            i = lt + 1;
            continue;
        }
        const Tag tag = readTag(html, lt + 2);
        if (tag.end == std::string_view::npos) {
            return;
        }
        const size_t close = findAnchorEnd(html, tag.end);
        const size_t contentEnd = close == std::string_view::npos ? html.size() : close;
        std::string address = decodeEntities(tag.href);
        const bool query = startsWithIgnoreCase(address, 0, "place:");
        if (tag.hasHref && !address.empty() && !query) {
            std::string title = collapseWhitespace(
                decodeEntities(textWithoutTags(html.substr(tag.end, contentEnd - tag.end))));
            if (filter.matches(title, address)) {
                rows.push_back({std::move(title), std::move(address)});
            }
        }
        if (close == std::string_view::npos) {
            return;
        }
        i = close + 3;
    }
}

} // namespace kelvo::bookmarks
