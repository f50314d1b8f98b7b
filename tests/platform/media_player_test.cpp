#include "platform/media_player.h"

#include "fakes/temp_dir.h"
#include "services/sound_playback.h"
#include "test_paths.h"

#include <gtest/gtest.h>
#include <pulse/simple.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

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

// A sound server of the test's own whose only output is a null sink, so
// what plays can be recorded from its monitor.
class PrivateSoundServer {
public:
    PrivateSoundServer() {
        const fs::path runtime = m_dir / "runtime";
        fs::create_directories(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
        m_socket = m_dir / "native";
        std::vector<std::string> arguments = {
            "pulseaudio",
            "--daemonize=no",
            "--exit-idle-time=-1",
            "-n",
            "--disable-shm=true",
            "--load=module-native-protocol-unix auth-anonymous=1 socket=" + m_socket.string(),
            "--load=module-null-sink sink_name=recorder"};
        std::vector<std::string> environment = {"HOME=" + m_dir.path().string(),
                                                "XDG_RUNTIME_DIR=" + runtime.string(),
                                                "PATH=/usr/bin:/bin"};
        std::vector<char*> argv, envp;
        for (auto& a : arguments) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        for (auto& e : environment) {
            envp.push_back(e.data());
        }
        envp.push_back(nullptr);
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
        // A group of its own, so whatever the server forks ends with it.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&attributes, 0);
        if (posix_spawnp(&m_pid, "pulseaudio", &quiet, &attributes, argv.data(), envp.data()) !=
            0) {
            m_pid = 0;
        }
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&quiet);
        for (int i = 0; i < 200 && m_pid != 0 && !fs::exists(m_socket); ++i) {
            std::this_thread::sleep_for(50ms);
        }
    }
    ~PrivateSoundServer() {
        if (m_pid != 0) {
            ::kill(-m_pid, SIGTERM);
            int status = 0;
            ::waitpid(m_pid, &status, 0);
        }
    }

    bool running() const { return m_pid != 0 && fs::exists(m_socket); }
    std::string address() const { return "unix:" + m_socket.string(); }

private:
    fakes::TempDir m_dir;
    fs::path m_socket;
    pid_t m_pid = 0;
};

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
    PrivateSoundServer server;
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
