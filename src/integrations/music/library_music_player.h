#pragma once

#include "integrations/music/media_library.h"
#include "integrations/music/music_player.h"

#include <chrono>
#include <filesystem>

namespace kelvo {

/// The user's player with the user's own media as its library. The
/// libraries and searches come from the media index and are handed to the
/// player as playlist files; the playlists are the playlist files of the
/// music folder (made, filled and deleted here) and then the player's own.
/// Everything else is the player's.
class LibraryMusicPlayer final : public MusicPlayer {
public:
    /// listsFolder holds the playlist files of whole libraries that are
    /// handed to the player. firstIndexWait is how long a search waits for
    /// an index on a first start, when none was saved: the window does not
    /// answer meanwhile, so past it the user is told to try again instead.
    LibraryMusicPlayer(MusicPlayer& player, const MediaLibrary& library,
                       std::filesystem::path listsFolder,
                       std::chrono::milliseconds firstIndexWait = std::chrono::milliseconds(1500));

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
    Status addTracks(const MusicPlaylist& playlist, const std::vector<MusicTrack>& tracks) override;
    std::vector<std::string> searchPhrases(MusicLibrary library, SearchField field) override;
    Status openUri(const std::string& uri) override;

private:
    /// The index to answer about a library from; fails while the folders
    /// are still being read and the index has nothing for that library.
    Result<std::shared_ptr<const MediaCatalog>> catalog(MusicLibrary library) const;

    MusicPlayer& m_player;
    const MediaLibrary& m_library;
    std::filesystem::path m_listsFolder;
    std::chrono::milliseconds m_firstIndexWait;
};

/// The path of a file:// address; empty for any other address.
std::filesystem::path pathOfFileUri(const std::string& uri);

} // namespace kelvo
