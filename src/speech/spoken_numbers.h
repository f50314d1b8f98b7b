#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvo {

/// The value of a spoken number word ("nine", "twenty one", "to", "o"),
/// compared whole and without regard to case; -1 when it is not one.
std::int16_t wordToNumber(std::string_view word);

/// The decimal digits of a spoken number word, or the word unchanged when it
/// is not one.
std::string numberWordToDigits(std::string_view word);

} // namespace kelvo
