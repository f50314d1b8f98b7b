// Any bytes as a ".url" shortcut or a Firefox profiles.ini: an address and
// a list of profile folders, never a crash.
#include "integrations/bookmarks/favorites_reader.h"
#include "integrations/bookmarks/firefox_profiles.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvo::bookmarks;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)urlShortcutAddress(text);
    for (const auto& profile : defaultFirefoxProfiles(text, "/home/u/.mozilla/firefox")) {
        if (profile.empty()) {
            std::abort();
        }
    }
    return 0;
}
