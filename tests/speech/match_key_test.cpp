#include "speech/match_key.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(MatchKey, RecognitionKeyCarriesTheTypeInDecimal) {
    EXPECT_EQ(recognitionKey("restore", 0), " [Text=restore, RecoType=0]");
    EXPECT_EQ(recognitionKey("start menu", 12), " [Text=start menu, RecoType=12]");
    EXPECT_EQ(junkKey("noise"), " [Text=noise, RecoType=junk]");
    EXPECT_EQ(standardKeyOf("restore"), "[Text=restore, RecoType=0]");
}

TEST(MatchKey, TrimmedDropsOuterBlanksOnly) {
    EXPECT_EQ(trimmed(" [Text=a b, RecoType=0] \r\n"), "[Text=a b, RecoType=0]");
    EXPECT_EQ(trimmed("   "), "");
    EXPECT_EQ(trimmed(""), "");
}

TEST(MatchKey, InterferenceTexts) {
    struct Case {
        int code;
        const char* text;
        std::optional<std::string> signal;
    };
    const Case cases[] = {
        {1, "Noise. turn off background noise.", std::nullopt},
        {2, "", "No signal - check mic"},
        {3, "Too loud. Speak softly.", std::nullopt},
        {4, "Too quiet. Speak louder.", std::nullopt},
        {5, "Too fast. Speak more slowly.", std::nullopt},
        {6, "too slow. speak faster.", std::nullopt},
        {0, "", ""}, // the signal is back
        {7, "", std::nullopt},
        {-1, "", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(interferenceText(c.code), c.text) << c.code;
        EXPECT_EQ(interferenceSignalText(c.code), c.signal) << c.code;
    }
}

} // namespace
} // namespace kelvo
