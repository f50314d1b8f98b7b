#include "startup/coupon_panes.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(CouponPanesTest, DecodedValueSplitsAtTheBar) {
    struct Case {
        std::string decoded;
        std::string flag;
        std::string location;
    };
    const std::vector<Case> cases = {
        {"1|http://coupons.example/1", "1", "http://coupons.example/1"},
        {"0|", "0", ""},
        {"|x", "", "x"},
        {"1|a|b", "1", "a"},
        {"1", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const CouponPane pane = couponPaneFromText(c.decoded);
        EXPECT_EQ(pane.showFlag, c.flag) << c.decoded;
        EXPECT_EQ(pane.location, c.location) << c.decoded;
    }
}

std::string shown(const std::array<AdPaneView, 4>& views) {
    std::string text;
    for (const AdPaneView& view : views) {
        text += view.visible ? '1' : '0';
    }
    return text;
}

TEST(CouponPanesTest, PaneTwoShownHidesPanesThreeAndFour) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"0000", "0000"}, {"1111", "1100"}, {"0111", "0100"}, {"1011", "1011"},
        {"0010", "0010"}, {"0001", "0001"}, {"1000", "1000"},
    };
    for (const auto& [flags, expected] : cases) {
        std::array<CouponPane, 4> panes;
        for (size_t k = 0; k < 4; ++k) {
            panes[k].showFlag = std::string(1, flags[k]);
        }
        EXPECT_EQ(shown(adPaneLayout(panes, "/data")), expected) << flags;
    }
}

TEST(CouponPanesTest, OnlyTheFlagOneShows) {
    std::array<CouponPane, 4> panes{{{"True", ""}, {" 1", ""}, {"11", ""}, {"", ""}}};
    const auto views = adPaneLayout(panes, "/data");
    EXPECT_EQ(shown(views), "0000");
    EXPECT_EQ(views[0].page, std::filesystem::path("/data/ad1.html"));
    EXPECT_EQ(views[3].page, std::filesystem::path("/data/ad4.html"));
}

} // namespace
} // namespace kelvo
