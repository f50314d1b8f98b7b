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

// Each change of the signal is reported once: live when first heard, dead
// after two seconds at or below the floor (zeros, or a step of jitter over
// an offset), live again after 100 ms of sound (a quiet room's included).
TEST(SphinxLevelMeter, ReportsASignalLostAndBackOnce) {
    std::vector<std::int16_t> zeros(320, 0);
    std::vector<std::int16_t> jitter(320, 0);
    for (std::size_t i = 0; i < jitter.size(); ++i) {
        jitter[i] = static_cast<std::int16_t>(300 + static_cast<int>(i % 5) - 2);
    }
    const auto room = tone(4, 320);
    SpeechLevelMeter meter;
    std::vector<std::pair<int, int>> reports; // chunk, code
    int chunk = 0;
    auto feed = [&](const std::vector<std::int16_t>& sound, int chunks) {
        for (int i = 0; i < chunks; ++i, ++chunk) {
            if (auto code = meter.feed(sound.data(), sound.size(), false)) {
                reports.emplace_back(chunk, *code);
            }
        }
    };
    feed(room, 10);    // 0-9: live from the fifth chunk
    feed(zeros, 150);  // 10-159: dead after 100 chunks
    feed(room, 4);     // 160-163: a click is not the signal back
    feed(zeros, 10);   // 164-173
    feed(room, 10);    // 174-183
    feed(jitter, 150); // 184-333
    feed(room, 10);    // 334-343
    const std::vector<std::pair<int, int>> expected = {
        {4, interference::kNone},       {109, interference::kNoSignal}, {178, interference::kNone},
        {283, interference::kNoSignal}, {338, interference::kNone},
    };
    EXPECT_EQ(reports, expected);
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
            meter.feed(speech.data(), speech.size(), true);
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

// A tone (two beating ones, as a ring) keeps its level; speech rises and
// falls with its syllables.
TEST(SphinxLevelMeter, ToneIsSteadyAndSpeechIsNot) {
    struct Case {
        const char* what;
        double (*level)(double seconds);
        bool steady;
    };
    const Case cases[] = {
        {"ring", [](double t) { return 4000 * std::sin(2 * M_PI * 40 * t); }, true},
        {"beep", [](double) { return 6000.0; }, true},
        {"syllables",
         [](double t) {
             return 300 + 6000 * std::pow(std::max(0.0, std::sin(2 * M_PI * 2.5 * t)), 2);
         },
         false},
    };
    for (const Case& c : cases) {
        SpeechLevelMeter meter;
        std::vector<std::int16_t> sound(16000);
        for (std::size_t i = 0; i < sound.size(); ++i) {
            const double t = static_cast<double>(i) / 16000.0;
            sound[i] = static_cast<std::int16_t>(c.level(t) * std::sin(2 * M_PI * 440 * t));
        }
        for (std::size_t at = 0; at < sound.size(); at += 320) {
            meter.feed(sound.data() + at, 320, true);
        }
        meter.utteranceEnded();
        EXPECT_EQ(meter.lastUtteranceSteady(), c.steady) << c.what;
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
