// Any bytes as bookmark titles and addresses (split at line breaks): the
// results page still reads as XML and holds no element they brought in,
// and only linkable addresses become links.
#include "integrations/bookmarks/results_page.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* kTemplate =
    "<html><body><strong name=\"searchtitle\">x</strong>"
    "<table><tr><td name=\"searchresults\">cell</td></tr></table></body></html>";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvo::bookmarks;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    BrowserResults browser{"Firefox", true, {}};
    while (!text.empty() && browser.rows.size() < 64) {
        const size_t title = text.find('\n');
        const std::string_view first = text.substr(0, title);
        text = title == std::string_view::npos ? std::string_view() : text.substr(title + 1);
        const size_t address = text.find('\n');
        browser.rows.push_back({std::string(first), std::string(text.substr(0, address))});
        text = address == std::string_view::npos ? std::string_view() : text.substr(address + 1);
    }
    const auto page =
        buildResultsPage(kTemplate, browser.rows.empty() ? "" : browser.rows[0].title, {browser});
    if (!page.ok()) {
        std::abort();
    }
    pugi::xml_document document;
    if (!document.load_string(page->c_str())) {
        std::abort();
    }
    size_t links = 0;
    for (const pugi::xpath_node& node : document.select_nodes("//*")) {
        const char* name = node.node().name();
        static constexpr const char* kAllowed[] = {"html", "body", "strong", "table",
                                                   "tr",   "td",   "a"};
        if (std::none_of(std::begin(kAllowed), std::end(kAllowed),
                         [name](const char* allowed) { return std::strcmp(name, allowed) == 0; })) {
            std::abort();
        }
        if (std::strcmp(name, "a") == 0) {
            ++links;
            if (!isLinkableAddress(node.node().attribute("href").value())) {
                std::abort();
            }
        }
    }
    if (links > browser.rows.size()) {
        std::abort();
    }
    return 0;
}
