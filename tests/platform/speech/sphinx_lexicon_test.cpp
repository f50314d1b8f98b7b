#include "platform/speech/sphinx_lexicon.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kelvo::speech {
namespace {

TEST(SphinxLexicon, AccentVariantsAreNewWaysOfSayingAWord) {
    SphinxDecoderOptions options;
    options.model = installedSphinxModel();
    auto decoder = SphinxDecoder::create(options);
    ASSERT_TRUE(decoder.ok()) << decoder.error().message();
    DecoderLexicon lexicon(**decoder, EspeakPronouncer(), {"en-gb", "en-gb-x-rp"});
    auto said = lexicon.accentVariants({"tracker", "chess", "zoobly"}, {{"zoobly", "Z UW B L IY"}});
    auto find = [&](const std::string& word) {
        return std::find_if(said.begin(), said.end(),
                            [&](const auto& entry) { return entry.first == word; });
    };
    // British "tracker" has no r; both voices say it so, and it comes once.
    ASSERT_NE(find("tracker(2)"), said.end());
    EXPECT_EQ(find("tracker(2)")->second, "T R AE K AH");
    EXPECT_EQ(find("tracker(3)"), said.end());
    // Said as the dictionary says it: nothing new.
    EXPECT_EQ(find("chess(2)"), said.end());
    // A word just made gets its variants numbered after it.
    EXPECT_NE(find("zoobly(2)"), said.end());
    for (const auto& [word, phones] : said) {
        EXPECT_NE(phones, "Z UW B L IY") << word;
    }
    EXPECT_EQ(lexicon.accentVariants({"tracker"}, {}).size(), 1u) << "asked again, same answer";
}

} // namespace
} // namespace kelvo::speech
