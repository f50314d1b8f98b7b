#include "platform/tone_output.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(ToneOutput, StartsAndStopsWithoutPlaying) {
    auto output = ToneOutput::create();
    ASSERT_TRUE(output.ok());
    // Out-of-range tones are dropped, never queued for the sound server.
    output.value()->playTone(0, 200);
    output.value()->playTone(500, 0);
    output.value()->playTone(500, -5);
    output.value()->playTone(500000, 200);
}

} // namespace
} // namespace kelvo
