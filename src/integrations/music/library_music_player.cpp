#include "integrations/music/library_music_player.h"

#include "integrations/music/m3u_playlist.h"
#include "platform/ascii_text.h"
#include "platform/atomic_file.h"

#include <algorithm>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFileScheme = "file://";

Status notOffered(const std::string& message) {
    return Status::failure(music_error::kNotOffered, message);
}

std::string emptyLibraryMessage(MusicLibrary library) {
    switch (library) {
    case MusicLibrary::Movies:
        return "There are no movies in your videos folder.";
    case MusicLibrary::Tv:
        return "There are no TV shows in the \"TV Shows\" folder of your videos folder.";
    case MusicLibrary::Podcasts:
        return "There are no podcasts in your \"Podcasts\" folder.";
    default:
        return "There is no music in your music folder.";
    }
}

bool isFilePlaylist(const MusicPlaylist& playlist) {
    return playlist.id.starts_with(kFileScheme);
}

std::string entryTitle(const MediaItem& item) {
    return item.artist.empty() ? item.title : item.artist + " - " + item.title;
}

} // namespace

fs::path pathOfFileUri(const std::string& uri) {
    if (!uri.starts_with(kFileScheme)) {
        return {};
    }
    std::string path;
    for (size_t i = std::string_view(kFileScheme).size(); i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size() && hexDigitValue(uri[i + 1]) >= 0 &&
            hexDigitValue(uri[i + 2]) >= 0) {
            path.push_back(
                static_cast<char>(hexDigitValue(uri[i + 1]) * 16 + hexDigitValue(uri[i + 2])));
            i += 2;
        } else {
            path.push_back(uri[i]);
        }
    }
    return path;
}

LibraryMusicPlayer::LibraryMusicPlayer(MusicPlayer& player, const MediaLibrary& library,
                                       fs::path listsFolder,
                                       std::chrono::milliseconds firstIndexWait)
    : m_player(player), m_library(library), m_listsFolder(std::move(listsFolder)),
      m_firstIndexWait(firstIndexWait) {}

Result<std::shared_ptr<const MediaCatalog>>
LibraryMusicPlayer::catalog(MusicLibrary library) const {
    const auto deadline = std::chrono::steady_clock::now() + m_firstIndexWait;
    auto ready = m_library.waitForCatalog(m_firstIndexWait);
    // The index an earlier start saved may lack what the folders hold now:
    // a library empty in it is believed only once they have been read.
    if (ready && ready->library(library).empty()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const bool read = m_library.waitForScans(0, std::max(left, std::chrono::milliseconds(0)));
        ready = read ? m_library.catalog() : nullptr;
    }
    if (ready) {
        return ready;
    }
    return notOffered("Your media folders are still being read.  Please try again in a moment.");
}

Status LibraryMusicPlayer::offers(MusicStep step) {
    switch (step) {
    case MusicStep::SearchLibrary:
        // Its hits are kept as a playlist file there.
        return m_library.folders().music.empty()
                   ? notOffered("There is no music folder to keep the \"kelvo search\" "
                                "playlist in.")
                   : Status{};
    case MusicStep::FindPlaylist:
        return {};
    case MusicStep::CreatePlaylist:
        return m_library.folders().music.empty()
                   ? notOffered("There is no music folder to keep playlists in.")
                   : Status{};
    case MusicStep::SetVolume:
        break;
    }
    return m_player.offers(step);
}

Status LibraryMusicPlayer::showLibrary(MusicLibrary library) {
    if (library == MusicLibrary::Radio) {
        // Stations are only shown, never started: that is the player's own view.
        Status shown = m_player.showLibrary(library);
        if (shown || shown.number() != music_error::kNotOffered) {
            return shown;
        }
        auto ready = catalog(MusicLibrary::Radio);
        if (!ready) {
            return ready.error();
        }
        if (!(*ready)->library(MusicLibrary::Radio).empty()) {
            return notOffered("The music player has no view to show your radio stations in.  Say "
                              "\"search radio\" and a station's name to play it.");
        }
        return notOffered("There are no radio stations: list their stream addresses in "
                          "\"Radio.m3u\" in your music folder.");
    }
    const MusicLibrary shown = library == MusicLibrary::All ? MusicLibrary::Music : library;
    auto ready = catalog(shown);
    if (!ready) {
        return ready.error();
    }
    std::vector<PlaylistEntry> entries;
    for (const MediaItem* item : (*ready)->library(shown)) {
        entries.push_back({item->location, entryTitle(*item)});
    }
    if (entries.empty()) {
        return notOffered(emptyLibraryMessage(library));
    }
    const fs::path list = m_listsFolder / (std::string(musicLibraryName(library)) + ".m3u");
    if (Status written = writeFileAtomically(list, m3uText(entries)); !written) {
        return written;
    }
    return m_player.openUri(mediaUri(list.string()));
}

Result<std::vector<MusicPlaylist>> LibraryMusicPlayer::playlists() {
    std::vector<MusicPlaylist> lists;
    const fs::path& folder = m_library.folders().music;
    std::error_code ec;
    if (!folder.empty()) {
        for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
             it.increment(ec)) {
            if (!isM3uFile(it->path()) || !it->is_regular_file(ec)) {
                continue;
            }
            auto text = readM3uFile(it->path());
            const int count = text ? static_cast<int>(parseM3u(*text, folder).size()) : -1;
            lists.push_back({mediaUri(it->path().string()), it->path().stem().string(), count});
        }
    }
    std::sort(lists.begin(), lists.end(),
              [](const MusicPlaylist& a, const MusicPlaylist& b) { return a.name < b.name; });
    // The player's own follow; a player that offers none leaves the files.
    if (auto own = m_player.playlists()) {
        lists.insert(lists.end(), own->begin(), own->end());
    }
    return lists;
}

Status LibraryMusicPlayer::selectPlaylist(const MusicPlaylist& playlist, bool playFirst) {
    if (!isFilePlaylist(playlist)) {
        return m_player.selectPlaylist(playlist, playFirst);
    }
    // A player without a library view has nothing to select an empty list
    // in: the user is told, rather than shown nothing at all.
    return playFirst ? m_player.openUri(playlist.id)
                     : notOffered("The playlist '" + playlist.name + "' has no tracks to play.");
}

Status LibraryMusicPlayer::createPlaylist(const std::string& name) {
    const fs::path& folder = m_library.folders().music;
    if (folder.empty()) {
        return notOffered("There is no music folder to keep playlists in.");
    }
    if (name.empty() || name.front() == '.' || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos) {
        return notOffered("A playlist can't be named '" + name + "'.");
    }
    const Status made = createFileAtomically(folder / (name + ".m3u"), m3uText({}));
    if (made.number() == kFileAlreadyExists) {
        return notOffered("That playlist already exists");
    }
    if (!made) {
        return Status::failure(made.number(), "The playlist '" + name +
                                                  "' could not be written in your music "
                                                  "folder: " +
                                                  made.message());
    }
    return {};
}

Status LibraryMusicPlayer::deletePlaylist(const MusicPlaylist& playlist) {
    if (!isFilePlaylist(playlist)) {
        return m_player.deletePlaylist(playlist);
    }
    std::error_code ec;
    fs::remove(pathOfFileUri(playlist.id), ec);
    if (ec) {
        return Status::failure(75, "cannot delete the playlist '" + playlist.name +
                                       "': " + ec.message());
    }
    return {};
}

Result<std::vector<MusicTrack>> LibraryMusicPlayer::searchLibrary(MusicLibrary library,
                                                                  SearchField field,
                                                                  const std::string& words) {
    auto ready = catalog(library);
    if (!ready) {
        return ready.error();
    }
    std::vector<MusicTrack> tracks;
    for (const MediaItem* item : (*ready)->search(library, field, words)) {
        tracks.push_back({item->location, item->title});
    }
    return tracks;
}

Status LibraryMusicPlayer::addTrack(const MusicPlaylist& playlist, const MusicTrack& track) {
    return addTracks(playlist, {track});
}

Status LibraryMusicPlayer::addTracks(const MusicPlaylist& playlist,
                                     const std::vector<MusicTrack>& tracks) {
    if (!isFilePlaylist(playlist)) {
        return m_player.addTracks(playlist, tracks);
    }
    const auto ready = m_library.catalog();
    std::vector<PlaylistEntry> entries;
    entries.reserve(tracks.size());
    for (const MusicTrack& track : tracks) {
        const MediaItem* item = ready ? ready->find(track.id) : nullptr;
        entries.push_back({track.id, item != nullptr ? entryTitle(*item) : track.name});
    }
    return appendM3uEntries(pathOfFileUri(playlist.id), entries);
}

std::vector<std::string> LibraryMusicPlayer::searchPhrases(MusicLibrary library,
                                                           SearchField field) {
    // No wait: before the first index the dictation simply expects anything.
    auto ready = m_library.catalog();
    return ready ? ready->phrases(library, field) : std::vector<std::string>{};
}

// What the player does itself.
Status LibraryMusicPlayer::attach() {
    return m_player.attach();
}
Status LibraryMusicPlayer::toggleMiniPlayer() {
    return m_player.toggleMiniPlayer();
}
Status LibraryMusicPlayer::gotoStoreHome() {
    return m_player.gotoStoreHome();
}
Status LibraryMusicPlayer::openStoreAddress(const std::string& address) {
    return m_player.openStoreAddress(address);
}
Status LibraryMusicPlayer::restartTrack() {
    return m_player.restartTrack();
}
Status LibraryMusicPlayer::nextTrack() {
    return m_player.nextTrack();
}
Status LibraryMusicPlayer::previousTrack() {
    return m_player.previousTrack();
}
Status LibraryMusicPlayer::fastForward() {
    return m_player.fastForward();
}
Status LibraryMusicPlayer::rewind() {
    return m_player.rewind();
}
Status LibraryMusicPlayer::resume() {
    return m_player.resume();
}
Status LibraryMusicPlayer::pause() {
    return m_player.pause();
}
Status LibraryMusicPlayer::stop() {
    return m_player.stop();
}
Status LibraryMusicPlayer::setMuted(bool muted) {
    return m_player.setMuted(muted);
}
Status LibraryMusicPlayer::setVolume(int percent) {
    return m_player.setVolume(percent);
}
Status LibraryMusicPlayer::showPlayer() {
    return m_player.showPlayer();
}
Status LibraryMusicPlayer::quit() {
    return m_player.quit();
}
Status LibraryMusicPlayer::openUri(const std::string& uri) {
    return m_player.openUri(uri);
}

} // namespace kelvo
