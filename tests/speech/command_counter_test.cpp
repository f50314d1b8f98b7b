#include "speech/command_counter.h"

#include <gtest/gtest.h>

#include <limits>

namespace kelvo {
namespace {

TEST(CommandCounter, CountsUpFromZero) {
    SpeechState state;
    for (int i = 1; i <= 11; ++i) {
        countCommand(state);
        EXPECT_EQ(state.commandCounter, i);
    }
}

TEST(CommandCounter, StopsAtItsLargestValueInsteadOfWrapping) {
    SpeechState state;
    state.commandCounter = std::numeric_limits<std::int16_t>::max() - 1;
    countCommand(state);
    countCommand(state);
    EXPECT_EQ(state.commandCounter, std::numeric_limits<std::int16_t>::max());
}

} // namespace
} // namespace kelvo
