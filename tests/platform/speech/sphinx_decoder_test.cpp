#include "platform/speech/sphinx_decoder.h"

#include <gtest/gtest.h>

namespace kelvo::speech {
namespace {

SphinxDecoderOptions withSettings(std::vector<std::string> settings) {
    SphinxDecoderOptions options;
    options.model = installedSphinxModel();
    options.extraArguments = std::move(settings);
    return options;
}

TEST(SphinxDecoderSettings, ASettingGivenAgainReplacesTheProgramsOwn) {
    // The library refuses a name given twice, so this only starts when
    // "-topn" replaced the program's value instead of being added.
    EXPECT_TRUE(SphinxDecoder::create(withSettings({"-topn", "8"})).ok());
    EXPECT_TRUE(SphinxDecoder::create(withSettings({"-topn", "8", "-beam", "1e-40"})).ok());
}

TEST(SphinxDecoderSettings, ANameWithoutItsValueIsRefused) {
    auto decoder = SphinxDecoder::create(withSettings({"-topn", "8", "-beam"}));
    ASSERT_FALSE(decoder.ok());
    EXPECT_NE(decoder.error().message().find("pairs"), std::string::npos);
}

} // namespace
} // namespace kelvo::speech
