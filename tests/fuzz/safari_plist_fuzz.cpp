// Any bytes as a Safari Bookmarks.plist: rows or an error, never a crash;
// a failed read appends nothing.
#include "integrations/bookmarks/safari_bookmarks.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvo::bookmarks;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    BookmarkRows rows;
    const kelvo::Status status = parseSafariBookmarks(text, {}, rows);
    if (!status.ok() && !rows.empty()) {
        std::abort();
    }
    for (const Bookmark& row : rows) {
        if (row.address.empty()) {
            std::abort();
        }
    }
    return 0;
}
