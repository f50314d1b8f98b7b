#include "platform/speech/sphinx_level_meter.h"

#include "platform/speech/speech_events.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace kelvo::speech {
namespace {

std::vector<std::int16_t> tone(double amplitude, std::size_t count = 1600) {
    std::vector<std::int16_t> s(count);
    for (std::size_t i = 0; i < count; ++i) {
        double v = amplitude * std::sin(static_cast<double>(i) * 0.3);
        s[i] = static_cast<std::int16_t>(std::lround(std::max(-32768.0, std::min(32767.0, v))));
    }
    return s;
}

TEST(SphinxLevelMeter, DeadInputIsNoSignalOnce) {
    SpeechLevelMeter meter;
    std::vector<std::int16_t> flat(1600, 0);
    int reports = 0;
    for (int i = 0; i < 40; ++i) { // four seconds
        auto code = meter.feed(flat.data(), flat.size(), false);
        if (code) {
            EXPECT_EQ(*code, interference::kNoSignal);
            EXPECT_GE(i, 19); // not before two seconds
            ++reports;
        }
    }
    EXPECT_EQ(reports, 1);
    auto noise = tone(20);
    EXPECT_FALSE(meter.feed(noise.data(), noise.size(), false).has_value());
    for (int i = 0; i < 20; ++i) {
        auto code = meter.feed(flat.data(), flat.size(), false);
        reports += code ? 1 : 0;
    }
    EXPECT_EQ(reports, 2); // reported again after the signal came back
}

TEST(SphinxLevelMeter, UtteranceLevels) {
    struct Case {
        double amplitude;
        std::optional<int> code;
    };
    const Case cases[] = {
        {8000, std::nullopt},
        {60000, interference::kTooLoud},
        {150, interference::kTooQuiet},
    };
    for (const Case& c : cases) {
        SpeechLevelMeter meter;
        auto speech = tone(c.amplitude);
        for (int i = 0; i < 10; ++i) {
            EXPECT_FALSE(meter.feed(speech.data(), speech.size(), true).has_value());
        }
        EXPECT_EQ(meter.utteranceEnded(), c.code) << c.amplitude;
        EXPECT_FALSE(meter.utteranceEnded().has_value()); // counts start afresh
    }
}

// The loudest 100 ms decides, however small the chunks: one loud 20 ms
// in quiet speech does not make it loud enough.
TEST(SphinxLevelMeter, LevelsAreJudgedOver100MsWhateverTheChunks) {
    for (std::size_t chunk : {320u, 1600u}) {
        SpeechLevelMeter meter;
        std::vector<std::int16_t> speech = tone(550, 320);
        auto quiet = tone(100, 1280);
        speech.insert(speech.end(), quiet.begin(), quiet.end());
        for (std::size_t at = 0; at < speech.size(); at += chunk) {
            meter.feed(speech.data() + at, chunk, true);
        }
        EXPECT_EQ(meter.utteranceEnded(), interference::kTooQuiet) << chunk;
    }
}

TEST(SphinxLevelMeter, SoundOutsideSpeechIsNotJudged) {
    SpeechLevelMeter meter;
    auto loud = tone(60000);
    meter.feed(loud.data(), loud.size(), false);
    EXPECT_FALSE(meter.utteranceEnded().has_value());
}

} // namespace
} // namespace kelvo::speech
