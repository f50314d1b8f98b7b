#include "platform/speech/sphinx_wav.h"

#include "fakes/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kelvo::speech {
namespace {

constexpr double kPi = 3.14159265358979323846;

void put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xff);
    }
}

std::string wav(int format, int channels, int rate, int bits, const std::string& data) {
    std::string out = "RIFF";
    put(out, static_cast<std::uint32_t>(36 + data.size()), 4);
    out += "WAVEfmt ";
    put(out, 16, 4);
    put(out, static_cast<std::uint32_t>(format), 2);
    put(out, static_cast<std::uint32_t>(channels), 2);
    put(out, static_cast<std::uint32_t>(rate), 4);
    put(out, static_cast<std::uint32_t>(rate * channels * bits / 8), 4);
    put(out, static_cast<std::uint32_t>(channels * bits / 8), 2);
    put(out, static_cast<std::uint32_t>(bits), 2);
    out += "LIST";
    put(out, 3, 4);
    out += "abc";
    out += '\0'; // odd chunks are padded
    out += "data";
    put(out, static_cast<std::uint32_t>(data.size()), 4);
    return out + data;
}

int zeroCrossings(const std::vector<std::int16_t>& samples) {
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        crossings += (samples[i - 1] < 0) != (samples[i] < 0);
    }
    return crossings;
}

TEST(SphinxWav, StereoAt8kHzBecomesMono16kHz) {
    std::string data;
    for (int i = 0; i < 8000; ++i) { // one second of 200 Hz, opposite phase right
        auto v = static_cast<std::int16_t>(10000 * std::sin(2 * kPi * 200 * i / 8000.0));
        put(data, static_cast<std::uint16_t>(v), 2);
        put(data, static_cast<std::uint16_t>(v / 2), 2);
    }
    auto samples = decodeWavAsSpeech(wav(1, 2, 8000, 16, data));
    ASSERT_TRUE(samples.ok()) << samples.error().message();
    EXPECT_NEAR(static_cast<double>(samples->size()), 16000, 2);
    EXPECT_NEAR(zeroCrossings(*samples), 400, 4);
    std::int16_t peak = *std::max_element(samples->begin() + 100, samples->end() - 100);
    EXPECT_NEAR(peak, 7500, 300); // the mean of the two channels
}

TEST(SphinxWav, HighRateKeepsSpeechAndDropsWhatCannotBeHeld) {
    auto tone = [](double hz) {
        std::string data;
        for (int i = 0; i < 44100; ++i) {
            float v = static_cast<float>(0.5 * std::sin(2 * kPi * hz * i / 44100.0));
            std::uint32_t raw;
            std::memcpy(&raw, &v, 4);
            put(data, raw, 4);
        }
        return wav(3, 1, 44100, 32, data);
    };
    auto low = decodeWavAsSpeech(tone(1000));
    auto high = decodeWavAsSpeech(tone(12000)); // above 8 kHz: would alias
    ASSERT_TRUE(low.ok() && high.ok());
    EXPECT_NEAR(zeroCrossings(*low), 2000, 10);
    auto peak = [](const std::vector<std::int16_t>& s) {
        int p = 0;
        for (std::size_t i = 200; i + 200 < s.size(); ++i) {
            p = std::max(p, std::abs(static_cast<int>(s[i])));
        }
        return p;
    };
    EXPECT_GT(peak(*low), 15000);
    EXPECT_LT(peak(*high), 800);
}

TEST(SphinxWav, EightAndTwentyFourBitSamples) {
    std::string eight;
    std::string twentyFour;
    for (int i = 0; i < 1600; ++i) {
        eight += static_cast<char>(i % 2 ? 228 : 28);
        put(twentyFour, i % 2 ? 0x400000u : 0xC00000u, 3);
    }
    auto a = decodeWavAsSpeech(wav(1, 1, 16000, 8, eight));
    auto b = decodeWavAsSpeech(wav(1, 1, 16000, 24, twentyFour));
    ASSERT_TRUE(a.ok() && b.ok());
    EXPECT_EQ(a->size(), 1600u);
    EXPECT_NEAR((*a)[1], 25600, 300);
    EXPECT_NEAR((*b)[1], 16384, 10);
    EXPECT_NEAR((*b)[0], -16384, 10);
}

TEST(SphinxWav, BadFilesAreRefusedClearly) {
    EXPECT_FALSE(decodeWavAsSpeech("").ok());
    EXPECT_FALSE(decodeWavAsSpeech("RIFF....WAVE").ok());
    EXPECT_FALSE(decodeWavAsSpeech(wav(2, 1, 16000, 4, "abcd")).ok()); // ADPCM
    EXPECT_FALSE(decodeWavAsSpeech(wav(1, 0, 16000, 16, "abcd")).ok());
    EXPECT_FALSE(decodeWavAsSpeech(wav(1, 1, 10, 16, "abcd")).ok());
    std::string truncated = wav(1, 1, 16000, 16, std::string(100, '\0'));
    truncated.resize(truncated.size() - 50);
    auto kept = decodeWavAsSpeech(truncated);
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ(kept->size(), 25u);
    auto missing = readWavAsSpeech("/nonexistent/clip.wav");
    EXPECT_FALSE(missing.ok());
}

TEST(SphinxWav, WrittenFilesReadBackUnchanged) {
    fakes::TempDir dir;
    std::vector<std::int16_t> samples{0, 1, -1, 32767, -32768, 1234};
    ASSERT_TRUE(writeSpeechWav(dir / "a.wav", samples).ok());
    auto back = readWavAsSpeech(dir / "a.wav");
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(*back, samples);
}

} // namespace
} // namespace kelvo::speech
