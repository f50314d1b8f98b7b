#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kelvo {

/// A new random identifier in registry form: braces, 32 upper-case hex
/// digits and four hyphens, 38 characters
/// ("{8-4-4-4-12}", version 4, e.g. "{3F2504E0-4F89-41D3-9A0C-0305E82C3301}").
/// Drawn from the system's entropy source.
std::string newGuidString();

/// The registry form of 16 given bytes, the version and variant bits set.
std::string guidText(std::array<uint8_t, 16> bytes);

} // namespace kelvo
