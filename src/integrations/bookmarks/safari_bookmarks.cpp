#include "integrations/bookmarks/safari_bookmarks.h"

#include <pugixml.hpp>

#include <cstring>
#include <vector>

namespace kelvo::bookmarks {

namespace {

// The value element that follows the key of that name in a dictionary.
pugi::xml_node valueOf(const pugi::xml_node& dict, const char* key) {
    for (pugi::xml_node child = dict.child("key"); child; child = child.next_sibling("key")) {
        if (std::strcmp(child.child_value(), key) == 0) {
            pugi::xml_node value = child.next_sibling();
            while (value && value.type() != pugi::node_element) {
                value = value.next_sibling();
            }
            return value;
        }
    }
    return {};
}

// The text of a string value, or null when the value is no string.
const char* stringOf(const pugi::xml_node& value) {
    return value && std::strcmp(value.name(), "string") == 0 ? value.child_value() : nullptr;
}

} // namespace

Status parseSafariBookmarks(std::string_view plist, const SearchFilter& filter,
                            BookmarkRows& rows) {
    if (plist.starts_with("bplist")) {
        return Status::failure(1, "a binary property list, which is not read");
    }
    pugi::xml_document document;
    // The default options read no DTD and expand only the five XML entities.
    const pugi::xml_parse_result parsed =
        document.load_buffer(plist.data(), plist.size(), pugi::parse_default);
    if (!parsed) {
        return Status::failure(2, std::string("not well-formed XML: ") + parsed.description());
    }
    BookmarkRows taken;
    std::vector<pugi::xml_node> pending{document.document_element()};
    while (!pending.empty()) {
        const pugi::xml_node node = pending.back();
        pending.pop_back();
        if (!node) {
            continue;
        }
        pugi::xml_node skip;
        if (std::strcmp(node.name(), "dict") == 0) {
            const char* address = stringOf(valueOf(node, "URLString"));
            const char* title = nullptr;
            const bool leaf = address != nullptr;
            if (leaf) {
                skip = valueOf(node, "URIDictionary");
                title = stringOf(valueOf(skip, "title"));
            } else {
                address = stringOf(valueOf(node, ""));
                title = address != nullptr ? stringOf(valueOf(node, "title")) : nullptr;
            }
            if (address != nullptr && *address != '\0' && (leaf || title != nullptr)) {
                const char* shown = title != nullptr ? title : "";
                if (filter.matches(shown, address)) {
                    taken.push_back({shown, address});
                }
            }
        }
        // Children go on the stack last first, so they come off in order.
        std::vector<pugi::xml_node> children;
        for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
            if (child.type() == pugi::node_element && child != skip) {
                children.push_back(child);
            }
        }
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    rows.insert(rows.end(), std::make_move_iterator(taken.begin()),
                std::make_move_iterator(taken.end()));
    return {};
}

} // namespace kelvo::bookmarks
