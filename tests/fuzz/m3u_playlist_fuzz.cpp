// Any bytes as an M3U playlist: entries that are absolute paths or stream
// addresses, each on one line, and a path's file address holds only bytes
// that need no escaping.
#include "integrations/music/m3u_playlist.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const kelvo::PlaylistEntry& entry : kelvo::parseM3u(text, "/home/u/Music")) {
        if (entry.location.empty() || entry.location.find('\n') != std::string::npos ||
            entry.title.find('\n') != std::string::npos) {
            std::abort();
        }
        const std::string uri = kelvo::mediaUri(entry.location);
        if (uri == entry.location) {
            continue;
        }
        if (!std::filesystem::path(entry.location).is_absolute() || !uri.starts_with("file://") ||
            uri.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                  "0123456789-._~/%",
                                  7) != std::string::npos) {
            std::abort();
        }
    }
    return 0;
}
