// Any bytes as places.sqlite: bookmarks or a reported failure, never a
// crash; a failed read appends nothing.
#include "fuzz_files.h"
#include "integrations/bookmarks/places_database.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvo::bookmarks;
    static const kelvo::fuzz::TempPath file("places.sqlite");
    kelvo::fuzz::rewriteFile(file.path(), data, size);
    BookmarkRows rows;
    if (!readPlacesDatabase(file.path(), {}, rows).ok() && !rows.empty()) {
        std::abort();
    }
    return 0;
}
