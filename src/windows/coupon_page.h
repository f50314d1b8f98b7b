#pragma once

#include "platform/status.h"
#include "windows/generated_page.h"

#include <filesystem>
#include <string>

namespace kelvo {

/// What activating an ad pane does, by its coupon location: "local" builds
/// coupon_<n>.html in the data folder from coupon_template.html of the
/// program folder, every picture showing the pane's coupon picture, and
/// opens it; "#" does nothing; an http or https address is opened as it is.
/// Any other location does nothing: a server-sent value never starts a
/// program or opens a file. Returns what went wrong building or opening.
Status showCoupon(const std::string& location, int pane, const std::string& picture,
                  const std::filesystem::path& programFolder,
                  const std::filesystem::path& dataFolder, const OpenAddress& open);

} // namespace kelvo
