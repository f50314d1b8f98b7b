#include "platform/media_player.h"

#include "fakes/private_sound_server.h"
#include "fakes/temp_dir.h"
#include "services/sound_playback.h"
#include "test_paths.h"

#include <gtest/gtest.h>
#include <pulse/simple.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The loudest sample heard on the null sink's monitor, recording until one
// reaches loud enough or the time is up.
int loudestSample(const std::string& server, std::chrono::milliseconds length, int enough,
                  std::atomic<bool>& recording) {
    const pa_sample_spec spec{PA_SAMPLE_S16LE, 16000, 1};
    int error = 0;
    pa_simple* input = pa_simple_new(server.c_str(), "kelvo-test", PA_STREAM_RECORD,
                                     "recorder.monitor", "record", &spec, nullptr, nullptr, &error);
    recording = true;
    if (input == nullptr) {
        return -1;
    }
    int loudest = 0;
    std::vector<int16_t> block(800); // 50 ms
    const auto end = std::chrono::steady_clock::now() + length;
    while (loudest < enough && std::chrono::steady_clock::now() < end &&
           pa_simple_read(input, block.data(), block.size() * sizeof(int16_t), &error) == 0) {
        for (const int16_t sample : block) {
            loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
        }
    }
    pa_simple_free(input);
    return loudest;
}

TEST(MediaPlayerTest, TheWelcomeSoundPlaysThroughTheSoundServer) {
    fakes::PrivateSoundServer server;
    ASSERT_TRUE(server.running()) << "pulseaudio did not start";
    ::setenv("PULSE_SERVER", server.address().c_str(), 1);
    auto player = MediaPlayer::create();
    ASSERT_TRUE(player.ok()) << player.error().message();

    std::atomic<bool> recording{false};
    int loudest = -1;
    constexpr int kLoud = 3000; // silence records as 0; the chime peaks near full scale
    std::thread recorder(
        [&] { loudest = loudestSample(server.address(), 6000ms, kLoud, recording); });
    while (!recording) {
        std::this_thread::sleep_for(5ms);
    }
    SoundPlayback sound(player.value().get());
    const bool opened = sound.openMediaFile(fs::path(KELVO_RESOURCES_DIR) / "welcome.mp3");
    const bool balanced = sound.setMediaBalance(0);
    const bool playing = sound.playMedia();
    const auto length = player.value()->length();
    recorder.join();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(balanced);
    EXPECT_TRUE(playing);
    ASSERT_TRUE(length.has_value());
    EXPECT_GT(*length, 0.5);
    EXPECT_LT(*length, 3.0);
    EXPECT_GE(loudest, kLoud);
}

TEST(MediaPlayerTest, AMissingOrBrokenFileIsRefused) {
    auto player = MediaPlayer::create();
    ASSERT_TRUE(player.ok()) << player.error().message();
    fakes::TempDir dir;
    std::ofstream(dir / "broken.mp3") << "this is no sound at all";
    EXPECT_FALSE(player.value()->load(dir / "missing.mp3"));
    EXPECT_FALSE(player.value()->load(dir / "broken.mp3"));
    EXPECT_FALSE(player.value()->play());
    EXPECT_FALSE(player.value()->length().has_value());
}

} // namespace
} // namespace kelvo
