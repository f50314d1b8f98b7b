#include "speech/web_target.h"

#include "speech/phrase_index.h"

namespace kelvo {

bool isWebTarget(std::string_view target) {
    const std::string upper = upperAscii(target.substr(0, 8));
    return upper.starts_with("HTTP://") || upper.starts_with("HTTPS://") ||
           upper.starts_with("FTP://");
}

bool hasAddressPrefix(std::string_view target) {
    const std::string upper = upperAscii(target.substr(0, 3));
    return upper == "HTT" || upper == "FTP";
}

} // namespace kelvo
