#pragma once

#include "startup/startup_hooks.h"
#include "startup/startup_state.h"

#include <array>
#include <filesystem>
#include <string_view>

namespace kelvo {

/// The coupon pane of a decoded `Cpn` value: the text before the first "|"
/// is the show flag, the text after it (up to a second "|") the location.
/// A value without "|" gives an unset pane (not shown).
CouponPane couponPaneFromText(std::string_view decoded);

/// Which ad panes show: pane 1 and pane 2 by their flags; a shown pane 2
/// hides panes 3 and 4 whatever their flags, else those follow their own.
/// Each pane's page is adN.html in the data folder.
std::array<AdPaneView, 4> adPaneLayout(const std::array<CouponPane, 4>& panes,
                                       const std::filesystem::path& dataFolder);

} // namespace kelvo
