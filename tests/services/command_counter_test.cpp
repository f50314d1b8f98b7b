#include "services/command_counter.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(CommandCounterTest, CountsUpByOne) {
    int16_t counter = 0;
    EXPECT_TRUE(countCommand(counter));
    EXPECT_TRUE(countCommand(counter));
    EXPECT_EQ(counter, 2);
}

TEST(CommandCounterTest, StopsAtTheTopInsteadOfOverflowing) {
    int16_t counter = 32766;
    EXPECT_TRUE(countCommand(counter));
    EXPECT_EQ(counter, 32767);
    EXPECT_FALSE(countCommand(counter));
    EXPECT_EQ(counter, 32767);
}

} // namespace
} // namespace kelvo
