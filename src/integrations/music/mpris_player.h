#pragma once

#include "integrations/music/default_player.h"
#include "integrations/music/music_player.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace kelvo {

class ProcessTable;
class SessionBus;

/// What drives a player beyond the bus.
struct MprisPlayerParts {
    /// Starts the user's default player when none runs; its run tells
    /// whether the player started is still running.
    std::function<Result<ProgramRun>()> startDefaultPlayer;
    /// Where the process of a player that will not quit is ended.
    ProcessTable& processes;
    /// Brings the window of a player's process to the front, for a player
    /// that cannot raise itself.
    std::function<Status(std::uint32_t processId)> raiseWindowOf;
    /// The user's default player, which is chosen among players of which
    /// none plays, and the only one whose process is ended when it will not
    /// quit: another (a browser playing a page's sound) is no music player.
    std::function<PlayerIdentity()> defaultPlayer;
    /// Lets the program's window events run while a started player is
    /// waited for.
    std::function<void()> whileStarting;
    /// How long a started player has to come on the bus.
    std::chrono::milliseconds startWait = std::chrono::seconds(10);
};

/// The user's own music player over the desktop's media-player interface
/// (MPRIS) on the session bus: the player that is playing, else the user's
/// default player when it runs, else the first one found. Transport, volume, position, raise, quit
/// and the playlists a player offers; what that interface cannot carry (library search, making
/// playlists, a music store, a small player) fails with kNotOffered and a message that says so.
/// Calls block for at most two seconds each; starting a player waits up to ten seconds for it to
/// come on the bus. A started player that never comes on the bus is not started again while its
/// process runs.
class MprisPlayer final : public MusicPlayer {
public:
    /// Drives the players already running; starts none and ends none. The
    /// bus is reached at each attach(), so a player or a bus that comes
    /// later is found then.
    MprisPlayer();
    /// Also starts the user's player when none runs, ends the process of
    /// the user's player when it will not quit, and raises the window of one
    /// that cannot raise itself.
    explicit MprisPlayer(MprisPlayerParts parts);
    ~MprisPlayer() override;
    MprisPlayer(const MprisPlayer&) = delete;
    MprisPlayer& operator=(const MprisPlayer&) = delete;

    /// The bus name of the player the last attach() found.
    const std::string& playerName() const { return m_name; }

    Status attach() override;
    Status offers(MusicStep step) override;
    Status showLibrary(MusicLibrary library) override;
    Status toggleMiniPlayer() override;
    Status gotoStoreHome() override;
    Status openStoreAddress(const std::string& address) override;
    Status restartTrack() override;
    Status nextTrack() override;
    Status previousTrack() override;
    Status fastForward() override;
    Status rewind() override;
    Status resume() override;
    Status pause() override;
    Status stop() override;
    Status setMuted(bool muted) override;
    Status setVolume(int percent) override;
    Status showPlayer() override;
    Status quit() override;
    Result<std::vector<MusicPlaylist>> playlists() override;
    Status selectPlaylist(const MusicPlaylist& playlist, bool playFirst) override;
    Status createPlaylist(const std::string& name) override;
    Status deletePlaylist(const MusicPlaylist& playlist) override;
    Result<std::vector<MusicTrack>> searchLibrary(MusicLibrary library, SearchField field,
                                                  const std::string& words) override;
    Status addTrack(const MusicPlaylist& playlist, const MusicTrack& track) override;
    Status openUri(const std::string& uri) override;

private:
    Status findPlayer();
    Status startAndWait();
    bool leavesTheBus(const std::string& name);
    Status endProcessOf(const std::string& name);
    bool isUsersPlayer(const std::string& name, std::uint32_t processId);
    Status playerCall(const char* method);
    Status seekBy(long long microseconds);

    std::function<Result<ProgramRun>()> m_startDefaultPlayer;
    ProcessTable* m_processes = nullptr;
    std::function<Status(std::uint32_t)> m_raiseWindowOf;
    std::function<PlayerIdentity()> m_defaultPlayer;
    std::function<void()> m_whileStarting;
    std::chrono::milliseconds m_startWait{0};
    /// The player started last: while it runs off the bus, another start
    /// would only open another window of it.
    ProgramRun m_startedPlayer;
    /// The started player came on the bus: once it leaves, it is ending.
    bool m_startedPlayerDriven = false;
    /// A started player is being waited for; what comes meanwhile (a button
    /// of the window) starts no second one.
    bool m_starting = false;
    std::unique_ptr<SessionBus> m_bus;
    std::string m_name;
    /// The volume each player had before it was muted here.
    std::map<std::string, double> m_volumeBeforeMute;
};

} // namespace kelvo
