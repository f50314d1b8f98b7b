#include "windows/profile_wizard_services.h"

#include "services/hex_coding.h"

namespace kelvo {

std::string storedDefaultProfile(SettingsFile& settings, ErrorSink& errors) {
    const std::string stored = settings.readIni("Parallax", "visual", "", 250);
    if (stored == "x" || stored.empty())
        return {};
    return hexToString(stored, errors);
}

} // namespace kelvo
