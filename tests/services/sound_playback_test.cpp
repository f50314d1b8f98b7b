#include "services/sound_playback.h"

#include "fakes/fake_media_player.h"
#include "test_paths.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(SoundPlaybackTest, VolumeBalanceAndRateArithmetic) {
    const struct {
        int percent;
        int level;
    } volumes[] = {{150, 0}, {100, 0}, {50, -5000}, {0, -10000}, {-5, -10000}};
    for (const auto& v : volumes) {
        EXPECT_EQ(mediaVolumeLevel(v.percent), v.level) << v.percent;
    }
    EXPECT_DOUBLE_EQ(volumeFactor(0), 1.0);
    EXPECT_DOUBLE_EQ(volumeFactor(-10000), 0.0);
    EXPECT_NEAR(volumeFactor(-2000), 0.1, 1e-12); // -20 dB
    const struct {
        int percent;
        int level;
    } balances[] = {{-150, -10000}, {-100, -10000}, {0, 0}, {37, 3700}, {101, 10000}};
    for (const auto& b : balances) {
        EXPECT_EQ(mediaBalanceLevel(b.percent), b.level) << b.percent;
    }
    const struct {
        float percent;
        double factor;
    } rates[] = {{100, 1.0}, {226, 2.26}, {500, 2.26}, {0, 0.0}, {-3, 0.0}, {50, 0.5}};
    for (const auto& r : rates) {
        EXPECT_DOUBLE_EQ(mediaRateFactor(r.percent), r.factor) << r.percent;
    }
}

TEST(SoundPlaybackTest, SeekPositionFoldsItsParts) {
    const struct {
        int hours, minutes, seconds;
        float ms, msAfter;
        double position;
    } cases[] = {
        {0, 0, 0, 0, 0, 0},
        {0, 0, 1, 250, 250, 1.25},
        {0, 61, 61, 0, 0, 61}, // minutes and seconds modulo 60
        {1, 0, 0, 1500.25f, 500.25f, 3600.50025},
        {0, 0, 0, 999.75f, 0.75f, 0.00075}, // rounds to 1000, which folds to 0
    };
    for (const auto& c : cases) {
        float ms = c.ms;
        EXPECT_NEAR(seekPosition(c.hours, c.minutes, c.seconds, ms), c.position, 1e-4) << c.ms;
        EXPECT_NEAR(ms, c.msAfter, 1e-3) << c.ms;
    }
}

TEST(SoundPlaybackTest, OpensOnlyMp3FilesAndSeeksInsideThem) {
    fakes::FakeMediaPlayer player;
    SoundPlayback sound(&player);
    const std::string chime = std::string(KELVO_RESOURCES_DIR) + "/welcome.mp3";
    EXPECT_FALSE(sound.openMediaFile(std::string(KELVO_RESOURCES_DIR) + "/welcome.MP3"));
    EXPECT_TRUE(player.calls.empty());
    EXPECT_FALSE(sound.playMedia());
    ASSERT_TRUE(sound.openMediaFile(chime));
    EXPECT_EQ(player.calls,
              (std::vector<std::string>{"load " + chime, "volume", "balance", "rate", "seek"}));
    EXPECT_EQ(player.values[0], 1.0); // full volume
    EXPECT_EQ(player.values[2], 1.0); // normal speed
    float ms = 0;
    EXPECT_FALSE(sound.seekMedia(0, 0, 0, ms));
    EXPECT_FALSE(sound.seekMedia(0, 0, 2, ms)); // past the end
    ms = 500;
    EXPECT_TRUE(sound.seekMedia(0, 0, 0, ms));
    EXPECT_DOUBLE_EQ(player.values.back(), 0.5);
    EXPECT_TRUE(sound.playMedia());

    SoundPlayback none(nullptr);
    EXPECT_FALSE(none.openMediaFile(chime));
    EXPECT_FALSE(none.setMediaVolume(100));
}

} // namespace
} // namespace kelvo
