#include "platform/random_source.h"

#include <gtest/gtest.h>
#include <set>

namespace kelvo {
namespace {

TEST(RandomSourceTest, DrawsStayInTheUnitRangeAndVary) {
    auto random = makeSystemRandomSource();
    std::set<double> seen;
    int low = 0;
    for (int i = 0; i < 2000; ++i) {
        const double x = random->nextUnit();
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
        seen.insert(x);
        low += x < 0.5 ? 1 : 0;
    }
    EXPECT_GT(seen.size(), 1990u);
    // Both halves are hit about equally (the bound is many deviations wide).
    EXPECT_GT(low, 800);
    EXPECT_LT(low, 1200);
}

TEST(RandomSourceTest, TwoSourcesDoNotRepeatEachOther) {
    auto a = makeSystemRandomSource();
    auto b = makeSystemRandomSource();
    int same = 0;
    for (int i = 0; i < 100; ++i) {
        same += a->nextUnit() == b->nextUnit() ? 1 : 0;
    }
    EXPECT_LT(same, 5);
}

} // namespace
} // namespace kelvo
