// Any bytes as places.sqlite: bookmarks or a reported failure, never a
// crash; a failed read appends nothing.
#include "integrations/bookmarks/places_database.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvo::bookmarks;
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("kelvo-places-fuzz-" + std::to_string(::getpid()) + ".sqlite");
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    BookmarkRows rows;
    if (!readPlacesDatabase(file, {}, rows).ok() && !rows.empty()) {
        std::abort();
    }
    return 0;
}
