#pragma once

#include <cstdint>

namespace kelvo {

/// What the social-site logins keep for the whole run.
struct SocialState {
    /// Ticks of the page-scrub timer, 0 to 2; the third scrubs.
    std::int16_t timerTicks = 0;
};

} // namespace kelvo
