#pragma once

#include <string_view>

namespace kelvo {

/// True for an address the downloaded catalogue may open: one that begins
/// with "http://", "https://" or "ftp://", in any letter case.
bool isWebTarget(std::string_view target);

/// True when the custom command's target is taken for an address: its first
/// three letters are "htt" or "ftp" in any letter case.
bool hasAddressPrefix(std::string_view target);

} // namespace kelvo
