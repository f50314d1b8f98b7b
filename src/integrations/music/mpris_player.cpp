#include "integrations/music/mpris_player.h"

#include "integrations/music/session_bus.h"
#include "platform/process_table.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace kelvo {

namespace {

constexpr int kCallTimeoutMs = 2000;
constexpr const char* kPrefix = "org.mpris.MediaPlayer2.";
constexpr const char* kPath = "/org/mpris/MediaPlayer2";
constexpr const char* kRoot = "org.mpris.MediaPlayer2";
constexpr const char* kPlayer = "org.mpris.MediaPlayer2.Player";
constexpr const char* kPlaylists = "org.mpris.MediaPlayer2.Playlists";
/// How far fast forward and rewind jump, in microseconds.
constexpr long long kSkipMicroseconds = 10'000'000;
/// The volume unmuting gives back when the one of before is not known:
/// the level players start at.
constexpr double kUnmutedLevel = 1.0;
/// How long a player asked to quit has to leave the bus; how often the bus
/// is looked at meanwhile, there and while a started player is waited for.
constexpr auto kQuitWait = std::chrono::seconds(3);
constexpr auto kBusPoll = std::chrono::milliseconds(100);

constexpr const char* kNoSearch = "The music player does not let other programs search its "
                                  "library by artist, album, composer or song name.";
constexpr const char* kNoPlaylistMaking =
    "The music player does not let other programs create playlists.";
constexpr const char* kNoVolume = "The music player does not let other programs set its volume.";

Status notOffered(const std::string& message) {
    return Status::failure(music_error::kNotOffered, message);
}

/// A player's answer that it lacks an interface becomes the message naming
/// the limit; other failures stay as they are.
Status limitOr(const Status& failure, const std::string& limit) {
    return failure.number() == music_error::kNotOffered ? notOffered(limit) : failure;
}

Status noPlayerYet() {
    return Status::failure(music_error::kNoPlayer, "No music player was found.");
}

Status startedButUndriven() {
    return Status::failure(music_error::kNoPlayer,
                           "The music player that was started is still running, but it does "
                           "not let other programs drive it.  Please close it, or choose a music "
                           "player for audio files that other programs can drive, before using "
                           "a Music command.");
}

Status stillStarting() {
    return Status::failure(music_error::kPlayerGone,
                           "The music player is still starting.  Please try again in a moment.");
}

bool isTrue(const Result<BusValue>& value) {
    const bool* flag = value ? std::get_if<bool>(&value.value()) : nullptr;
    return flag != nullptr && *flag;
}

} // namespace

MprisPlayer::MprisPlayer() = default;
MprisPlayer::MprisPlayer(MprisPlayerParts parts)
    : m_startDefaultPlayer(std::move(parts.startDefaultPlayer)), m_processes(&parts.processes),
      m_raiseWindowOf(std::move(parts.raiseWindowOf)),
      m_defaultPlayer(std::move(parts.defaultPlayer)),
      m_whileStarting(std::move(parts.whileStarting)), m_startWait(parts.startWait) {}
MprisPlayer::~MprisPlayer() = default;

Status MprisPlayer::findPlayer() {
    if (!m_bus || !m_bus->connected()) {
        auto bus = SessionBus::connect(kCallTimeoutMs);
        if (!bus) {
            m_bus.reset();
            m_name.clear();
            return Status::failure(music_error::kNoPlayer,
                                   "No music player can be reached: the desktop's session bus "
                                   "is not there (" +
                                       bus.error().message() + ").");
        }
        m_bus = std::move(bus).value();
    }
    auto names = m_bus->namesWithPrefix(kPrefix);
    if (!names) {
        return names.error();
    }
    if (names->empty()) {
        m_name.clear();
        return Status::failure(music_error::kNoPlayer,
                               "No music player appears to be running.  Please start your music "
                               "player before using a Music command.");
    }
    const auto propertyIs = [this](const std::string& name, const char* interface,
                                   const char* property, const std::string& wanted) {
        auto value = m_bus->getProperty(name, kPath, interface, property);
        const std::string* text = value ? std::get_if<std::string>(&value.value()) : nullptr;
        return text != nullptr && *text == wanted;
    };
    for (const std::string& name : *names) {
        if (propertyIs(name, kPlayer, "PlaybackStatus", "Playing")) {
            m_name = name;
            return {};
        }
    }
    // A paused browser tab is on the bus too; the user's player comes first.
    if (const std::string id = m_defaultPlayer ? m_defaultPlayer().desktopEntry : ""; !id.empty()) {
        for (const std::string& name : *names) {
            if (propertyIs(name, kRoot, "DesktopEntry", id)) {
                m_name = name;
                return {};
            }
        }
    }
    m_name = names->front();
    return {};
}

Status MprisPlayer::attach() {
    if (m_starting) {
        return stillStarting();
    }
    Status found = findPlayer();
    // Without a bus a started player could not be driven either.
    if (found || found.number() != music_error::kNoPlayer || !m_bus || !m_startDefaultPlayer) {
        return found;
    }
    if (m_startedPlayer.running() && m_startedPlayerDriven) {
        // Quit over the bus, it leaves the bus before its process ends: a
        // "play music" right after "quit music" waits for that end.
        const auto deadline = std::chrono::steady_clock::now() + kQuitWait;
        while (m_startedPlayer.running() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(kBusPoll);
        }
    }
    if (m_startedPlayer.running()) {
        return startedButUndriven();
    }
    return startAndWait();
}

Status MprisPlayer::startAndWait() {
    Result<ProgramRun> started = m_startDefaultPlayer();
    if (!started) {
        return started.error();
    }
    m_startedPlayer = *started;
    m_startedPlayerDriven = false;
    m_starting = true;
    struct Started {
        bool& starting;
        ~Started() { starting = false; }
    } waiting{m_starting};
    const auto deadline = std::chrono::steady_clock::now() + m_startWait;
    while (std::chrono::steady_clock::now() < deadline) {
        if (m_whileStarting) {
            m_whileStarting();
        }
        std::this_thread::sleep_for(kBusPoll);
        Status found = findPlayer();
        if (found || found.number() != music_error::kNoPlayer) {
            m_startedPlayerDriven = found.ok();
            return found;
        }
    }
    return Status::failure(music_error::kNoPlayer,
                           "The music player was started, but it does not let other programs "
                           "drive it: it offers no media-player interface on the session bus.");
}

Status MprisPlayer::offers(MusicStep step) {
    if (m_name.empty()) {
        return noPlayerYet();
    }
    switch (step) {
    case MusicStep::SearchLibrary:
        return notOffered(kNoSearch);
    case MusicStep::CreatePlaylist:
        return notOffered(kNoPlaylistMaking);
    case MusicStep::FindPlaylist: {
        auto lists = playlists();
        return lists ? Status{} : lists.error();
    }
    case MusicStep::SetVolume: {
        auto volume = m_bus->getProperty(m_name, kPath, kPlayer, "Volume");
        if (!volume) {
            return limitOr(volume.error(), kNoVolume);
        }
        return isTrue(m_bus->getProperty(m_name, kPath, kPlayer, "CanControl"))
                   ? Status{}
                   : notOffered(kNoVolume);
    }
    }
    return {};
}

Status MprisPlayer::playerCall(const char* method) {
    if (m_name.empty()) {
        return noPlayerYet();
    }
    return m_bus->call(m_name, kPath, kPlayer, method);
}

Status MprisPlayer::seekBy(long long microseconds) {
    if (m_name.empty()) {
        return noPlayerYet();
    }
    return limitOr(m_bus->call(m_name, kPath, kPlayer, "Seek",
                               {BusValue(static_cast<std::int64_t>(microseconds))}),
                   "The music player does not let other programs move within a track.");
}

Status MprisPlayer::showLibrary(MusicLibrary library) {
    const std::string name = musicLibraryName(library);
    auto lists = playlists();
    if (lists) {
        for (const MusicPlaylist& playlist : *lists) {
            if (playlist.name == name) {
                return selectPlaylist(playlist, true);
            }
        }
    }
    if (library == MusicLibrary::Music || library == MusicLibrary::All) {
        // The player's own list is its music library.
        return playerCall("Play");
    }
    if (!lists && lists.error().number() != music_error::kNotOffered) {
        return lists.error();
    }
    return notOffered("The music player offers no playlist named '" + name +
                      "' to other programs.");
}

Status MprisPlayer::toggleMiniPlayer() {
    return notOffered("The music player has no mini player that other programs can switch to.");
}

Status MprisPlayer::gotoStoreHome() {
    return notOffered("The music player has no music store that other programs can open.");
}

Status MprisPlayer::openStoreAddress(const std::string&) {
    return gotoStoreHome();
}

Status MprisPlayer::restartTrack() {
    if (m_name.empty()) {
        return noPlayerYet();
    }
    auto track = m_bus->metadataTrackId(m_name, kPath, kPlayer);
    if (track && !track->empty()) {
        return limitOr(m_bus->call(m_name, kPath, kPlayer, "SetPosition",
                                   {BusValue(BusObjectPath{*track}), BusValue(std::int64_t{0})}),
                       "The music player does not let other programs move within a track.");
    }
    auto position = m_bus->getProperty(m_name, kPath, kPlayer, "Position");
    const std::int64_t* at = position ? std::get_if<std::int64_t>(&position.value()) : nullptr;
    return seekBy(at != nullptr ? -*at : -kSkipMicroseconds);
}

Status MprisPlayer::nextTrack() {
    return playerCall("Next");
}
Status MprisPlayer::previousTrack() {
    return playerCall("Previous");
}
Status MprisPlayer::fastForward() {
    return seekBy(kSkipMicroseconds);
}
Status MprisPlayer::rewind() {
    return seekBy(-kSkipMicroseconds);
}
Status MprisPlayer::resume() {
    return playerCall("Play");
}
Status MprisPlayer::pause() {
    return playerCall("Pause");
}
Status MprisPlayer::stop() {
    return playerCall("Stop");
}

Status MprisPlayer::setMuted(bool muted) {
    if (m_name.empty()) {
        return noPlayerYet();
    }
    const std::string volumeLimit = kNoVolume;
    if (muted) {
        auto volume = m_bus->getProperty(m_name, kPath, kPlayer, "Volume");
        if (!volume) {
            return limitOr(volume.error(), volumeLimit);
        }
        const double* level = std::get_if<double>(&volume.value());
        // Muting twice keeps the volume of before the first mute.
        if (level != nullptr && *level > 0) {
            m_volumeBeforeMute[m_name] = *level;
        }
        return limitOr(m_bus->setProperty(m_name, kPath, kPlayer, "Volume", BusValue(0.0)),
                       volumeLimit);
    }
    double level = kUnmutedLevel;
    if (auto saved = m_volumeBeforeMute.find(m_name); saved != m_volumeBeforeMute.end()) {
        level = saved->second;
        m_volumeBeforeMute.erase(saved);
    } else {
        // Muted by an earlier run or in the player itself: the volume of
        // before is not known, but silence is not what was asked for.
        auto volume = m_bus->getProperty(m_name, kPath, kPlayer, "Volume");
        if (!volume) {
            return limitOr(volume.error(), volumeLimit);
        }
        const double* now = std::get_if<double>(&volume.value());
        if (now != nullptr && *now > 0) {
            return {};
        }
    }
    return limitOr(m_bus->setProperty(m_name, kPath, kPlayer, "Volume", BusValue(level)),
                   volumeLimit);
}

Status MprisPlayer::setVolume(int percent) {
    if (m_name.empty()) {
        return noPlayerYet();
    }
    m_volumeBeforeMute.erase(m_name);
    const double level = std::clamp(percent, 0, 100) / 100.0;
    return limitOr(m_bus->setProperty(m_name, kPath, kPlayer, "Volume", BusValue(level)),
                   kNoVolume);
}

Status MprisPlayer::showPlayer() {
    if (m_name.empty()) {
        return noPlayerYet();
    }
    if (isTrue(m_bus->getProperty(m_name, kPath, kRoot, "CanRaise"))) {
        return m_bus->call(m_name, kPath, kRoot, "Raise");
    }
    if (!m_raiseWindowOf) {
        return notOffered("The music player does not let other programs bring its window to the "
                          "front.");
    }
    auto pid = m_bus->processIdOf(m_name);
    if (!pid) {
        return pid.error();
    }
    if (Status raised = m_raiseWindowOf(*pid); !raised) {
        return notOffered("The music player has no window to bring to the front (" +
                          raised.message() + ").");
    }
    return {};
}

Status MprisPlayer::quit() {
    if (m_starting) {
        return stillStarting();
    }
    if (Status found = findPlayer(); !found) {
        // Nothing runs, so there is nothing to quit.
        return found.number() == music_error::kNoPlayer ? Status{} : found;
    }
    const std::string name = m_name;
    if (isTrue(m_bus->getProperty(name, kPath, kRoot, "CanQuit")) &&
        m_bus->call(name, kPath, kRoot, "Quit") && leavesTheBus(name)) {
        m_name.clear();
        return {};
    }
    return endProcessOf(name);
}

bool MprisPlayer::leavesTheBus(const std::string& name) {
    const auto deadline = std::chrono::steady_clock::now() + kQuitWait;
    do {
        auto names = m_bus->namesWithPrefix(name);
        if (names && std::find(names->begin(), names->end(), name) == names->end()) {
            return true;
        }
        std::this_thread::sleep_for(kBusPoll);
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

Status MprisPlayer::endProcessOf(const std::string& name) {
    const std::string limit = "The music player does not let other programs quit it.";
    if (m_processes == nullptr) {
        return notOffered(limit);
    }
    auto pid = m_bus->processIdOf(name);
    if (!pid) {
        return pid.error();
    }
    if (!isUsersPlayer(name, *pid)) {
        return notOffered(limit + "  It is not your music player, so it is left running.");
    }
    // Only the player's own process: another program of the same name is
    // none of its business.
    if (!m_processes->terminate(static_cast<pid_t>(*pid))) {
        return notOffered(limit + "  Its process (" + std::to_string(*pid) +
                          ") could not be ended either.");
    }
    m_name.clear();
    return {};
}

bool MprisPlayer::isUsersPlayer(const std::string& name, std::uint32_t processId) {
    const PlayerIdentity user = m_defaultPlayer ? m_defaultPlayer() : PlayerIdentity{};
    auto entry = m_bus->getProperty(name, kPath, kRoot, "DesktopEntry");
    const std::string* id = entry ? std::get_if<std::string>(&entry.value()) : nullptr;
    if (!user.desktopEntry.empty() && id != nullptr && *id == user.desktopEntry) {
        return true;
    }
    // An entry of the user's own may start the player under another name.
    if (user.program.empty()) {
        return false;
    }
    for (const ProcessInfo& process : m_processes->listOwnProcesses()) {
        if (static_cast<std::uint32_t>(process.pid) == processId) {
            return process.executableName == user.program;
        }
    }
    return false;
}

Result<std::vector<MusicPlaylist>> MprisPlayer::playlists() {
    if (m_name.empty()) {
        return noPlayerYet();
    }
    const std::string limit = "The music player offers no playlists to other programs.";
    // The player's own order where it has one.
    std::string ordering = "Alphabetical";
    auto orderings = m_bus->getProperty(m_name, kPath, kPlaylists, "Orderings");
    if (!orderings) {
        return limitOr(orderings.error(), limit);
    }
    if (const auto* offered = std::get_if<std::vector<std::string>>(&orderings.value())) {
        if (std::find(offered->begin(), offered->end(), "UserDefined") != offered->end()) {
            ordering = "UserDefined";
        } else if (!offered->empty()) {
            ordering = offered->front();
        }
    }
    auto entries =
        m_bus->callForPlaylists(m_name, kPath, kPlaylists, "GetPlaylists",
                                {BusValue(std::uint32_t{0}), BusValue(std::uint32_t{10000}),
                                 BusValue(ordering), BusValue(false)});
    if (!entries) {
        return limitOr(entries.error(), limit);
    }
    std::vector<MusicPlaylist> lists;
    for (const BusPlaylistEntry& entry : *entries) {
        lists.push_back({entry.id, entry.name, -1});
    }
    return lists;
}

Status MprisPlayer::selectPlaylist(const MusicPlaylist& playlist, bool) {
    if (m_name.empty()) {
        return noPlayerYet();
    }
    // The interface has no selection without playing: activating plays.
    return limitOr(m_bus->call(m_name, kPath, kPlaylists, "ActivatePlaylist",
                               {BusValue(BusObjectPath{playlist.id})}),
                   "The music player offers no playlists to other programs.");
}

Status MprisPlayer::createPlaylist(const std::string&) {
    return notOffered(kNoPlaylistMaking);
}

Status MprisPlayer::deletePlaylist(const MusicPlaylist&) {
    return notOffered("The music player does not let other programs delete playlists.");
}

Result<std::vector<MusicTrack>> MprisPlayer::searchLibrary(MusicLibrary, SearchField,
                                                           const std::string&) {
    return notOffered(kNoSearch);
}

Status MprisPlayer::addTrack(const MusicPlaylist&, const MusicTrack&) {
    return createPlaylist("");
}

Status MprisPlayer::openUri(const std::string& uri) {
    if (m_name.empty()) {
        return noPlayerYet();
    }
    return limitOr(m_bus->call(m_name, kPath, kPlayer, "OpenUri", {BusValue(uri)}),
                   "The music player does not let other programs hand it files to play.");
}

} // namespace kelvo
