#include "startup/coupon_panes.h"

#include <string>

namespace kelvo {

CouponPane couponPaneFromText(std::string_view decoded) {
    const auto bar = decoded.find('|');
    if (bar == std::string_view::npos) {
        return {};
    }
    std::string_view location = decoded.substr(bar + 1);
    location = location.substr(0, location.find('|'));
    return {std::string(decoded.substr(0, bar)), std::string(location)};
}

std::array<AdPaneView, 4> adPaneLayout(const std::array<CouponPane, 4>& panes,
                                       const std::filesystem::path& dataFolder) {
    std::array<AdPaneView, 4> views;
    for (size_t k = 0; k < views.size(); ++k) {
        views[k].page = dataFolder / ("ad" + std::to_string(k + 1) + ".html");
        views[k].visible = panes[k].showFlag == "1";
    }
    if (views[1].visible) {
        views[2].visible = false;
        views[3].visible = false;
    }
    return views;
}

} // namespace kelvo
