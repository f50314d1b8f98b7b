// The media-player client against real players: two mpv instances with
// their MPRIS plugin on a private session bus, read back with playerctl.

#include "integrations/music/mpris_player.h"

#include "integrations/music/default_player.h"
#include "platform/process_table.h"
#include "platform/shell.h"

#include "fakes/fake_environment.h"
#include "fakes/fake_process_table.h"
#include "fakes/fake_shell.h"
#include "fakes/run_tool.h"
#include "fakes/temp_dir.h"
#include "fakes/tool_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

namespace kelvo {
namespace {

using fakes::startTool;
using fakes::toolOutput;

constexpr const char* kPlugin = "/usr/lib/mpv-mpris/mpris.so";

/// Waits up to ten seconds for the condition: a loaded machine starts mpv
/// slowly.
bool eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 200; ++i) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

bool exited(pid_t pid) {
    return eventually([pid] {
        int status = 0;
        return waitpid(pid, &status, WNOHANG) == pid;
    });
}

class MprisPlayerTest : public testing::Test {
protected:
    void SetUp() override {
        std::istringstream bus(toolOutput(
            {"dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"}));
        std::string address;
        ASSERT_TRUE(std::getline(bus, address) && bus >> m_busPid) << "no dbus-daemon";
        setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
        for (const char* name : {"one.wav", "two.wav"}) {
            ASSERT_TRUE(fakes::runTool({"sox", "-n", "-r", "8000", "-c", "1",
                                        (m_dir / name).string(), "synth", "60", "sine", "440"}));
        }
        // The paused one comes first on the bus; the playing one must win.
        m_paused = startMpv(true);
        ASSERT_TRUE(eventually([] { return toolOutput({"playerctl", "-l"}) == "mpv"; }));
        m_playing = startMpv(false);
        m_playingName = "mpv.instance" + std::to_string(m_playing);
        ASSERT_TRUE(eventually([this] { return status() == "Playing"; }))
            << toolOutput({"playerctl", "-l"});
    }

    void TearDown() override {
        for (pid_t pid : {m_paused, m_playing}) {
            if (pid > 0 && kill(pid, SIGTERM) == 0) {
                waitpid(pid, nullptr, 0);
            }
        }
        if (m_busPid > 0) {
            kill(m_busPid, SIGTERM);
        }
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }

    pid_t startMpv(bool paused) {
        std::vector<std::string> arguments = {"mpv",
                                              "--no-config",
                                              std::string("--script=") + kPlugin,
                                              "--ao=null",
                                              "--vo=null",
                                              "--really-quiet",
                                              "--idle=no",
                                              (m_dir / "one.wav").string(),
                                              (m_dir / "two.wav").string()};
        if (paused) {
            arguments.push_back("--pause");
        }
        return startTool(arguments);
    }

    std::string read(const char* what) {
        return toolOutput({"playerctl", "-p", m_playingName, what});
    }
    std::string status() { return read("status"); }
    std::string title() {
        return toolOutput({"playerctl", "-p", m_playingName, "metadata", "xesam:title"});
    }
    double position() { return std::atof(read("position").c_str()); }
    std::string volume() { return read("volume"); }

    fakes::TempDir m_dir;
    pid_t m_busPid = -1;
    pid_t m_paused = -1;
    pid_t m_playing = -1;
    std::string m_playingName;
};

TEST_F(MprisPlayerTest, DrivesThePlayingPlayer) {
    MprisPlayer player;
    ASSERT_TRUE(player.attach());
    EXPECT_EQ(player.playerName(), "org.mpris.MediaPlayer2." + m_playingName);

    ASSERT_TRUE(player.pause());
    EXPECT_TRUE(eventually([this] { return status() == "Paused"; }));
    ASSERT_TRUE(player.resume());
    EXPECT_TRUE(eventually([this] { return status() == "Playing"; }));
    ASSERT_TRUE(player.nextTrack());
    EXPECT_TRUE(eventually([this] { return title() == "two.wav"; })) << title();
    ASSERT_TRUE(player.previousTrack());
    EXPECT_TRUE(eventually([this] { return title() == "one.wav"; })) << title();

    ASSERT_TRUE(player.fastForward());
    EXPECT_TRUE(eventually([this] { return position() >= 9.5; })) << position();
    ASSERT_TRUE(player.restartTrack());
    EXPECT_TRUE(eventually([this] { return position() < 5; })) << position();

    // Mute is volume 0, and unmute brings back the volume of before.
    ASSERT_TRUE(player.setVolume(40));
    EXPECT_TRUE(eventually([this] { return volume() == "0.400000"; })) << volume();
    ASSERT_TRUE(player.setMuted(true));
    EXPECT_TRUE(eventually([this] { return volume() == "0.000000"; })) << volume();
    ASSERT_TRUE(player.setMuted(true));
    ASSERT_TRUE(player.setMuted(false));
    EXPECT_TRUE(eventually([this] { return volume() == "0.400000"; })) << volume();
    ASSERT_TRUE(player.setVolume(150));
    EXPECT_TRUE(eventually([this] { return volume() == "1.000000"; })) << volume();

    // A mute of an earlier run, or done in the player, left no volume to
    // bring back: unmute still brings the sound back.
    ASSERT_TRUE(player.setVolume(0));
    EXPECT_TRUE(eventually([this] { return volume() == "0.000000"; })) << volume();
    MprisPlayer restarted;
    ASSERT_TRUE(restarted.attach());
    ASSERT_TRUE(restarted.setMuted(false));
    EXPECT_TRUE(eventually([this] { return std::atof(volume().c_str()) > 0; })) << volume();
}

TEST_F(MprisPlayerTest, NamesWhatThePlayerCannotDo) {
    MprisPlayer player;
    ASSERT_TRUE(player.attach());
    const auto limit = [](const Status& status) {
        return status.number() == music_error::kNotOffered && !status.message().empty();
    };
    EXPECT_TRUE(limit(player.playlists().error())) << player.playlists().error().message();
    EXPECT_TRUE(limit(player.searchLibrary(MusicLibrary::All, SearchField::Artists, "x").error()));
    EXPECT_TRUE(limit(player.createPlaylist("kelvo search")));
    EXPECT_TRUE(limit(player.openStoreAddress("itms://x")));
    EXPECT_TRUE(limit(player.toggleMiniPlayer()));
    EXPECT_TRUE(limit(player.showLibrary(MusicLibrary::Movies)));
    // "play music" without a playlist of that name plays the player's list.
    ASSERT_TRUE(player.pause());
    ASSERT_TRUE(player.showLibrary(MusicLibrary::Music));
    EXPECT_TRUE(eventually([this] { return status() == "Playing"; }));
}

TEST_F(MprisPlayerTest, ShowsAPlayerThatCannotRaiseItselfThroughItsWindow) {
    const auto processes = makeProcProcessTable();
    std::uint32_t raised = 0;
    MprisPlayer player({{},
                        *processes,
                        [&raised](std::uint32_t pid) {
                            raised = pid;
                            return Status{};
                        },
                        {},
                        {}});
    ASSERT_TRUE(player.attach());
    ASSERT_TRUE(player.showPlayer());
    EXPECT_EQ(raised, static_cast<std::uint32_t>(m_playing));
}

TEST_F(MprisPlayerTest, QuitsPlayersUntilNoneIsLeft) {
    MprisPlayer player;
    ASSERT_TRUE(player.quit());
    EXPECT_TRUE(exited(m_playing));
    m_playing = -1;
    // With nothing playing, the first player on the bus is taken.
    ASSERT_TRUE(player.attach());
    EXPECT_EQ(player.playerName(), "org.mpris.MediaPlayer2.mpv");
    ASSERT_TRUE(player.quit());
    EXPECT_TRUE(exited(m_paused));
    m_paused = -1;

    EXPECT_EQ(player.attach().number(), music_error::kNoPlayer);
    EXPECT_TRUE(player.quit()) << "nothing to quit is no failure";
    EXPECT_EQ(player.nextTrack().number(), music_error::kNoPlayer);

    // Without any session bus no bus is started either.
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedRuntime = runtime ? runtime : "";
    setenv("XDG_RUNTIME_DIR", m_dir.path().c_str(), 1);
    MprisPlayer busless;
    EXPECT_EQ(busless.attach().number(), music_error::kNoPlayer);
    if (runtime) {
        setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
    } else {
        unsetenv("XDG_RUNTIME_DIR");
    }
}

/// A private session bus with no player on it, and a home whose default
/// audio player is a desktop entry, as `xdg-mime default` sets it.
class MprisPlayerStart : public testing::Test {
protected:
    void SetUp() override {
        std::istringstream bus(toolOutput(
            {"dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"}));
        std::string address;
        ASSERT_TRUE(std::getline(bus, address) && bus >> m_busPid) << "no dbus-daemon";
        setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
    }

    void TearDown() override {
        if (m_busPid > 0) {
            kill(m_busPid, SIGTERM);
        }
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }

    Environment homeWithDefaultPlayer(const std::string& exec) {
        std::filesystem::create_directories(home / "data/applications");
        std::filesystem::create_directories(home / "config");
        std::ofstream(home / "data/applications/player.desktop")
            << "[Desktop Entry]\nType=Application\nName=Player\nExec=" << exec << "\n";
        std::ofstream(home / "config/mimeapps.list")
            << "[Default Applications]\naudio/mpeg=player.desktop\n";
        const char* path = std::getenv("PATH");
        return fakes::environmentOf({{"HOME", home.path().string()},
                                     {"XDG_CONFIG_HOME", (home / "config").string()},
                                     {"XDG_CONFIG_DIRS", (home / "none").string()},
                                     {"XDG_DATA_HOME", (home / "data").string()},
                                     {"XDG_DATA_DIRS", (home / "none").string()},
                                     {"PATH", path ? path : "/usr/bin:/bin"}});
    }

    fakes::TempDir home;
    pid_t m_busPid = -1;
};

TEST_F(MprisPlayerStart, StartsTheUsersDefaultPlayerWhenNoneRunsAndQuitsIt) {
    const Environment env =
        homeWithDefaultPlayer(std::string("mpv --no-config \"--script=") + kPlugin +
                              "\" --ao=null --vo=null --idle=yes --really-quiet %U");
    const auto shell = makeLinuxShell(env);
    const auto processes = makeProcProcessTable();
    // What comes while the player starts starts no second one.
    MprisPlayer* starting = nullptr;
    std::vector<int> meanwhile;
    MprisPlayer player({[&] { return startDefaultPlayer(env, *shell); },
                        *processes,
                        {},
                        {},
                        [&] {
                            meanwhile.push_back(starting->attach().number());
                            meanwhile.push_back(starting->quit().number());
                        }});
    starting = &player;

    EXPECT_TRUE(player.quit()) << "quitting starts nothing";
    EXPECT_EQ(toolOutput({"playerctl", "-l"}), "");
    ASSERT_TRUE(player.attach());
    EXPECT_EQ(player.playerName(), "org.mpris.MediaPlayer2.mpv");
    ASSERT_FALSE(meanwhile.empty());
    EXPECT_EQ(std::count(meanwhile.begin(), meanwhile.end(), music_error::kPlayerGone),
              static_cast<long>(meanwhile.size()));
    ASSERT_TRUE(player.quit());
    EXPECT_TRUE(eventually([] { return toolOutput({"playerctl", "-l"}).empty(); }));

    std::filesystem::remove(home / "config/mimeapps.list");
    std::filesystem::remove(home / "data/applications/player.desktop");
    const Status none = player.attach();
    EXPECT_EQ(none.number(), music_error::kNoPlayer);
    EXPECT_NE(none.message().find("No music player appears to be installed"), std::string::npos)
        << none.message();
}

TEST_F(MprisPlayerStart, APlayerStartedOffTheBusIsStartedAgainOnlyOnceItHasEnded) {
    const Environment env = homeWithDefaultPlayer("xmessage %U");
    fakes::FakeShell shell;
    fakes::FakeProcessTable processes;
    MprisPlayer player({[&] { return startDefaultPlayer(env, shell); },
                        processes,
                        {},
                        {},
                        {},
                        std::chrono::milliseconds(0)});

    EXPECT_EQ(player.attach().number(), music_error::kNoPlayer);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].target, "xmessage");
    const Status again = player.attach();
    EXPECT_EQ(again.number(), music_error::kNoPlayer);
    EXPECT_NE(again.message().find("still running, but it does not let other programs drive it"),
              std::string::npos)
        << again.message();
    EXPECT_EQ(shell.calls.size(), 1u) << "a second window of the same player";

    shell.endRun(0);
    EXPECT_EQ(player.attach().number(), music_error::kNoPlayer);
    EXPECT_EQ(shell.calls.size(), 2u);
}

} // namespace
} // namespace kelvo
