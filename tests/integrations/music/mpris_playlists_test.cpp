// The playlists of a player that offers them: a small MPRIS player of our
// own on a private session bus, since mpv's plugin has no playlists.

#include "integrations/music/mpris_player.h"

#include "fakes/fake_process_table.h"
#include "fakes/tool_output.h"

#include <dbus/dbus.h>
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <mutex>
#include <sstream>
#include <thread>

namespace kelvo {
namespace {

/// Answers the calls a playlist listing and choice make; everything else
/// is an unknown method. Runs on its own thread with its own connection.
class PlaylistPlayer {
public:
    /// On the bus as org.mpris.MediaPlayer2.<name>, with <name>-player as
    /// its desktop entry.
    explicit PlaylistPlayer(const std::string& address, const std::string& name = "fake")
        : m_desktopEntry(name + "-player") {
        dbus_threads_init_default();
        m_bus = dbus_connection_open_private(address.c_str(), nullptr);
        if (m_bus == nullptr || !dbus_bus_register(m_bus, nullptr)) {
            return;
        }
        dbus_bus_request_name(m_bus, ("org.mpris.MediaPlayer2." + name).c_str(), 0, nullptr);
        m_thread = std::thread([this] { serve(); });
    }
    ~PlaylistPlayer() {
        m_stop = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
        if (m_bus != nullptr) {
            dbus_connection_close(m_bus);
            dbus_connection_unref(m_bus);
        }
    }

    std::vector<std::string> calls() {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }

private:
    void serve() {
        while (!m_stop && dbus_connection_read_write(m_bus, 50)) {
            while (DBusMessage* message = dbus_connection_pop_message(m_bus)) {
                if (dbus_message_get_type(message) == DBUS_MESSAGE_TYPE_METHOD_CALL) {
                    answer(message);
                }
                dbus_message_unref(message);
            }
        }
    }

    void record(const std::string& call) {
        std::lock_guard lock(m_mutex);
        m_calls.push_back(call);
    }

    void answer(DBusMessage* call) {
        const std::string member = dbus_message_get_member(call);
        DBusMessage* reply = dbus_message_new_method_return(call);
        DBusMessageIter out;
        dbus_message_iter_init_append(reply, &out);
        DBusMessageIter in;
        dbus_message_iter_init(call, &in);
        if (member == "Get") {
            const char* interface = nullptr;
            const char* property = nullptr;
            dbus_message_iter_get_basic(&in, &interface);
            dbus_message_iter_next(&in);
            dbus_message_iter_get_basic(&in, &property);
            DBusMessageIter variant;
            if (std::string(property) == "Orderings") {
                dbus_message_iter_open_container(&out, DBUS_TYPE_VARIANT, "as", &variant);
                DBusMessageIter list;
                dbus_message_iter_open_container(&variant, DBUS_TYPE_ARRAY, "s", &list);
                for (const char* order : {"Alphabetical", "UserDefined"}) {
                    dbus_message_iter_append_basic(&list, DBUS_TYPE_STRING, &order);
                }
                dbus_message_iter_close_container(&variant, &list);
            } else {
                const char* status =
                    std::string(property) == "DesktopEntry" ? m_desktopEntry.c_str() : "Paused";
                dbus_message_iter_open_container(&out, DBUS_TYPE_VARIANT, "s", &variant);
                dbus_message_iter_append_basic(&variant, DBUS_TYPE_STRING, &status);
            }
            dbus_message_iter_close_container(&out, &variant);
        } else if (member == "GetPlaylists") {
            dbus_message_iter_next(&in);
            dbus_message_iter_next(&in);
            const char* order = nullptr;
            dbus_message_iter_get_basic(&in, &order);
            record(std::string("list ") + order);
            DBusMessageIter list;
            dbus_message_iter_open_container(&out, DBUS_TYPE_ARRAY, "(oss)", &list);
            for (auto [path, name] : {std::pair{"/list/1", "Road Trip"}, {"/list/2", "Movies"}}) {
                DBusMessageIter entry;
                const char* icon = "";
                dbus_message_iter_open_container(&list, DBUS_TYPE_STRUCT, nullptr, &entry);
                dbus_message_iter_append_basic(&entry, DBUS_TYPE_OBJECT_PATH, &path);
                dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &name);
                dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &icon);
                dbus_message_iter_close_container(&list, &entry);
            }
            dbus_message_iter_close_container(&out, &list);
        } else if (member == "ActivatePlaylist") {
            const char* path = nullptr;
            dbus_message_iter_get_basic(&in, &path);
            record(std::string("activate ") + path);
        } else {
            dbus_message_unref(reply);
            reply = dbus_message_new_error(call, DBUS_ERROR_UNKNOWN_METHOD, "not here");
        }
        dbus_connection_send(m_bus, reply, nullptr);
        dbus_message_unref(reply);
    }

    std::string m_desktopEntry;
    DBusConnection* m_bus = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<std::string> m_calls;
};

TEST(MprisPlaylists, ListsInThePlayersOrderAndActivatesTheChosenOne) {
    std::istringstream bus(fakes::toolOutput(
        {"dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"}));
    std::string address;
    pid_t busPid = -1;
    ASSERT_TRUE(std::getline(bus, address) && bus >> busPid) << "no dbus-daemon";
    setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
    {
        PlaylistPlayer fake(address);
        MprisPlayer player;
        ASSERT_TRUE(player.attach());
        EXPECT_EQ(player.playerName(), "org.mpris.MediaPlayer2.fake");
        auto lists = player.playlists();
        ASSERT_TRUE(lists) << lists.error().message();
        ASSERT_EQ(lists->size(), 2u);
        EXPECT_EQ((*lists)[0].id, "/list/1");
        EXPECT_EQ((*lists)[0].name, "Road Trip");
        EXPECT_TRUE(player.selectPlaylist((*lists)[0], true));
        // "movie library" is the player's playlist of that name.
        EXPECT_TRUE(player.showLibrary(MusicLibrary::Movies));
        EXPECT_EQ(player.showLibrary(MusicLibrary::Podcasts).number(), music_error::kNotOffered);
        EXPECT_EQ(fake.calls(), (std::vector<std::string>{"list UserDefined", "activate /list/1",
                                                          "list UserDefined", "activate /list/2",
                                                          "list UserDefined"}));

        // The user's player cannot quit, so its own process is ended, and
        // only that one; another program's is left alone.
        fakes::FakeProcessTable processes;
        processes.processes = {{getpid(), "player"}, {getpid() + 1, "player"}};
        PlayerIdentity users{"mpv", "mpv"};
        MprisPlayer quitting({{}, processes, {}, [&users] { return users; }, {}});
        EXPECT_EQ(quitting.quit().number(), music_error::kNotOffered);
        users = {"fake-player", "mpv"};
        ASSERT_TRUE(quitting.quit());
        users = {"mpv", "player"};
        processes.processes = {{getpid(), "player"}};
        ASSERT_TRUE(quitting.quit()) << "started under another entry name";
        EXPECT_EQ(processes.terminated, (std::vector<pid_t>{getpid(), getpid()}));

        // Of players none of which plays, the user's default one is driven.
        PlaylistPlayer other(address, "other");
        MprisPlayer preferring({{},
                                processes,
                                {},
                                [] {
                                    return PlayerIdentity{"other-player", ""};
                                },
                                {}});
        ASSERT_TRUE(preferring.attach());
        EXPECT_EQ(preferring.playerName(), "org.mpris.MediaPlayer2.other");
        ASSERT_TRUE(player.attach());
        EXPECT_EQ(player.playerName(), "org.mpris.MediaPlayer2.fake") << "else the first";
    }
    kill(busPid, SIGTERM);
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
}

} // namespace
} // namespace kelvo
