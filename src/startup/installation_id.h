#pragma once

#include "platform/clock.h"
#include "platform/random_source.h"

#include <string>

namespace kelvo {

/// A new installation identifier: "a", a random whole number below 100000,
/// today's month, day of the month and two-digit year, "0", "a"; every
/// number without leading zeros ("a123453790a" on 7 March 2009).
std::string makeInstallationId(RandomSource& random, const LocalDateTime& today);

} // namespace kelvo
