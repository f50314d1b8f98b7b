// Any bytes as the saved media index: items or an error, never a crash, and
// the items written out again read back the same.
#include "integrations/music/media_index_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool same(const kelvo::MediaItem& a, const kelvo::MediaItem& b) {
    return a.location == b.location && a.kind == b.kind && a.title == b.title &&
           a.artist == b.artist && a.album == b.album && a.composer == b.composer &&
           a.disc == b.disc && a.track == b.track && a.modified == b.modified && a.size == b.size;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto items = kelvo::parseMediaIndex(text);
    if (!items.ok()) {
        return 0;
    }
    auto again = kelvo::parseMediaIndex(kelvo::mediaIndexText(*items));
    if (!again.ok() || again->size() != items->size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < items->size(); ++i) {
        if (!same((*items)[i], (*again)[i])) {
            std::abort();
        }
    }
    return 0;
}
