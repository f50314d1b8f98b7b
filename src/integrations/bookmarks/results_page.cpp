#include "integrations/bookmarks/results_page.h"

#include "platform/ascii_text.h"
#include "services/xml_helpers.h"

#include <pugixml.hpp>

#include <cstring>
#include <sstream>

namespace kelvo::bookmarks {

namespace {

bool hasName(const pugi::xml_node& node, const char* element, const char* name) {
    return std::strcmp(node.name(), element) == 0 &&
           std::strcmp(node.attribute("name").value(), name) == 0;
}

// Every element of the document in order, without recursion.
template <typename Visit> void forEachElement(pugi::xml_node root, Visit visit) {
    pugi::xml_node node = root.first_child();
    while (node) {
        if (node.type() == pugi::node_element && !visit(node)) {
            return;
        }
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && !node.next_sibling()) {
            node = node.parent();
        }
        if (node) {
            node = node.next_sibling();
        }
    }
}

pugi::xml_node appendRow(pugi::xml_node table) {
    pugi::xml_node row = table.append_child("tr");
    row.append_attribute("VALIGN") = "Top";
    return row.append_child("td");
}

// The text without the control characters XML cannot hold (a NUL would
// also cut it short).
std::string xmlSafe(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') {
            out.push_back(c);
        }
    }
    return out;
}

void appendResult(pugi::xml_node table, const Bookmark& bookmark) {
    pugi::xml_node cell = appendRow(table);
    const std::string address = xmlSafe(bookmark.address);
    const std::string shown = bookmark.title.empty() ? address : xmlSafe(bookmark.title);
    if (!isLinkableAddress(address)) {
        cell.text().set(shown.c_str());
        return;
    }
    pugi::xml_node link = cell.append_child("a");
    link.append_attribute("href") = address.c_str();
    link.append_attribute("target") = "_blank";
    link.text().set(shown.c_str());
}

} // namespace

bool isLinkableAddress(std::string_view address) {
    for (std::string_view scheme : {"http:", "https:", "ftp:", "file:"}) {
        if (address.size() > scheme.size() &&
            equalsIgnoreCase(address.substr(0, scheme.size()), scheme)) {
            return true;
        }
    }
    return false;
}

Result<std::string> buildResultsPage(std::string_view templateText, std::string_view searchText,
                                     const std::vector<BrowserResults>& browsers) {
    pugi::xml_document page;
    const unsigned options =
        pugi::parse_default | pugi::parse_declaration | pugi::parse_doctype | pugi::parse_comments;
    const pugi::xml_parse_result parsed =
        page.load_buffer(templateText.data(), templateText.size(), options);
    if (!parsed) {
        return Status::failure(31, std::string("the results template is not well-formed: ") +
                                       parsed.description());
    }
    std::string title = "Results For '";
    for (char c : xmlSafe(searchText)) {
        title.push_back(asciiLower(c));
    }
    title += "'";
    pugi::xml_node cell;
    forEachElement(page, [&](pugi::xml_node node) {
        if (hasName(node, "strong", "searchtitle")) {
            setNodeText(node, title);
        } else if (!cell && hasName(node, "td", "searchresults")) {
            cell = node;
        }
        return true;
    });
    if (!cell) {
        return Status::failure(31, "the results template has no results cell");
    }
    pugi::xml_node table;
    for (const BrowserResults& browser : browsers) {
        if (browser.registered || !table) {
            table = cell.append_child("table");
            table.append_attribute("cellspacing") = "0";
            table.append_attribute("cellpadding") = "5";
            table.append_attribute("border") = "0";
            pugi::xml_node heading = table.append_child("tr");
            heading.append_attribute("valign") = "top";
            pugi::xml_node name = heading.append_child("td");
            name.append_attribute("class") = "browsertitle";
            name.text().set((browser.name + " Search Results").c_str());
        }
        if (browser.rows.empty()) {
            appendRow(table).text().set(("Sorry, no results found for " + browser.name).c_str());
            continue;
        }
        for (const Bookmark& bookmark : browser.rows) {
            appendResult(table, bookmark);
        }
    }
    std::ostringstream out;
    page.save(out, "  ", pugi::format_default | pugi::format_no_empty_element_tags);
    return out.str();
}

} // namespace kelvo::bookmarks
