#include "windows/profile_wizard_services.h"

#include "services/hex_coding.h"

#include <utility>

namespace kelvo {

std::string storedDefaultProfile(SettingsFile& settings) {
    const std::string stored = settings.readIni("Parallax", "visual", "", 250);
    if (stored == "x" || stored.empty())
        return {};
    // A damaged name is as unset as "x", as the start-up takes it: these
    // windows are where the user chooses one again.
    auto name = decodeHex(stored);
    return name ? std::move(name).value() : std::string();
}

} // namespace kelvo
