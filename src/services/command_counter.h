#pragma once

#include <cstdint>

namespace kelvo {

/// Raises the count of executed commands by one. The grammar reload resets
/// the count once it passes 10, so it never gets near its top; should that
/// reset ever fail, the count stays at 32767 instead of overflowing, which
/// still reads as "past 10". Returns false when it was already there.
bool countCommand(int16_t& commandCounter);

} // namespace kelvo
