// Any bytes as a Firefox bookmarks.html export: every row has an address,
// none is a query, and filtering on a row's own title keeps it.
#include "integrations/bookmarks/firefox_export.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvo::bookmarks;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    BookmarkRows rows;
    parseFirefoxExport(text, {}, rows);
    for (const Bookmark& row : rows) {
        if (row.address.empty() || !SearchFilter(row.title, true).matches(row.title, row.address)) {
            std::abort();
        }
    }
    return 0;
}
