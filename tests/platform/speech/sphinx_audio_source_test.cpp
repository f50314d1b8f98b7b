#include "platform/speech/sphinx_audio_source.h"

#include "fakes/temp_dir.h"
#include "platform/speech/sphinx_wav.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvo::speech {
namespace {

TEST(SphinxAudioSource, SamplesThenQuietNoise) {
    auto source = makeSampleSource({100, -200, 300}, false);
    std::vector<std::int16_t> chunk(1600);
    ASSERT_TRUE(source->read(chunk).ok());
    EXPECT_EQ(chunk[0], 100);
    EXPECT_EQ(chunk[2], 300);
    bool moves = false;
    for (std::size_t i = 3; i < chunk.size(); ++i) {
        EXPECT_LE(std::abs(chunk[i]), 4);
        moves = moves || chunk[i] != chunk[3];
    }
    EXPECT_TRUE(moves); // never dead-flat: that would read as no signal
}

TEST(SphinxAudioSource, OnlyDigitalSilenceIsGivenNoise) {
    std::vector<std::int16_t> sound(480, 0); // silence, quiet sound, silence
    for (std::size_t i = 160; i < 320; ++i) {
        sound[i] = static_cast<std::int16_t>(i % 2 ? 3 : -3);
    }
    sound[479] = 1; // still silent
    std::vector<std::int16_t> kept(sound.begin() + 160, sound.begin() + 320);
    std::uint32_t seed = 1;
    fillDigitalSilence(sound.data(), sound.size(), seed);
    EXPECT_TRUE(std::equal(kept.begin(), kept.end(), sound.begin() + 160));
    for (std::size_t block : {0u, 320u}) {
        EXPECT_TRUE(std::any_of(sound.begin() + block, sound.begin() + block + 160,
                                [](std::int16_t s) { return std::abs(s) > 2; }))
            << block;
    }
}

TEST(SphinxAudioSource, FilesAreDecodedAndPacedLikeAMicrophone) {
    fakes::TempDir dir;
    std::vector<std::int16_t> clip(800, 1000);
    ASSERT_TRUE(writeSpeechWav(dir / "a.wav", clip).ok());
    AudioInputSetting setting{AudioSourceKind::File, dir / "a.wav"};
    auto source = openSpeechAudioSource(setting);
    ASSERT_TRUE(source.ok()) << source.error().message();
    std::vector<std::int16_t> chunk(1600);
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE((*source)->read(chunk).ok());
    ASSERT_TRUE((*source)->read(chunk).ok());
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(190));
    EXPECT_FALSE(openSpeechAudioSource({AudioSourceKind::File, dir / "none.wav"}).ok());
}

TEST(SphinxAudioSource, FifoDeliversRawSamplesAcrossOddWrites) {
    fakes::TempDir dir;
    auto path = dir / "mic";
    EXPECT_FALSE(openSpeechAudioSource({AudioSourceKind::Fifo, path}).ok());
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    auto source = openSpeechAudioSource({AudioSourceKind::Fifo, path});
    ASSERT_TRUE(source.ok()) << source.error().message();
    int writer = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    const unsigned char bytes[] = {0x10, 0x00, 0x20}; // one and a half samples
    ASSERT_EQ(::write(writer, bytes, 3), 3);
    std::vector<std::int16_t> chunk(160);
    ASSERT_TRUE((*source)->read(chunk).ok());
    EXPECT_EQ(chunk[0], 0x10);
    const unsigned char rest[] = {0x01};
    ASSERT_EQ(::write(writer, rest, 1), 1);
    ASSERT_TRUE((*source)->read(chunk).ok());
    EXPECT_EQ(chunk[0], 0x0120);
    ::close(writer);
    // With no writer, the room's noise keeps coming.
    ASSERT_TRUE((*source)->read(chunk).ok());
    EXPECT_LE(std::abs(chunk[0]), 4);
    EXPECT_FALSE(openSpeechAudioSource({AudioSourceKind::Fifo, dir / "a.wav"}).ok());
}

TEST(SphinxAudioSource, FifoWaitsForASlowWriterInsteadOfFillingInNoise) {
    fakes::TempDir dir;
    auto path = dir / "mic";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    auto source = openSpeechAudioSource({AudioSourceKind::Fifo, path});
    ASSERT_TRUE(source.ok()) << source.error().message();
    int writer = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    // Half a chunk, a pause far longer than a chunk lasts, then the rest,
    // as a writer held up on a loaded machine delivers a phrase.
    const std::vector<std::int16_t> half(800, 1000);
    const auto bytes = static_cast<ssize_t>(half.size() * sizeof(std::int16_t));
    ASSERT_EQ(::write(writer, half.data(), static_cast<std::size_t>(bytes)), bytes);
    std::thread late([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        EXPECT_EQ(::write(writer, half.data(), static_cast<std::size_t>(bytes)), bytes);
    });
    std::vector<std::int16_t> chunk(1600);
    ASSERT_TRUE((*source)->read(chunk).ok());
    late.join();
    EXPECT_EQ(chunk, std::vector<std::int16_t>(1600, 1000));
    ::close(writer);
}

} // namespace
} // namespace kelvo::speech
