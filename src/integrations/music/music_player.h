#pragma once

#include "platform/status.h"

#include <string>
#include <vector>

namespace kelvo {

/// The player's whole library, one of its libraries, or its radio.
enum class MusicLibrary { All, Music, Movies, Tv, Podcasts, Radio };

/// The name a library goes by, as a player names its playlist ("TV Shows");
/// the whole library is "Music".
constexpr const char* musicLibraryName(MusicLibrary library) {
    switch (library) {
    case MusicLibrary::All:
    case MusicLibrary::Music:
        return "Music";
    case MusicLibrary::Movies:
        return "Movies";
    case MusicLibrary::Tv:
        return "TV Shows";
    case MusicLibrary::Podcasts:
        return "Podcasts";
    case MusicLibrary::Radio:
        return "Radio";
    }
    return "Music";
}

/// The fields a library search compares; the numbers are the player's own.
enum class SearchField { All = 0, Artists = 2, Albums = 3, Composers = 4, SongNames = 5 };

/// Error numbers of a music player's calls.
namespace music_error {
/// No player could be found or started.
inline constexpr int kNoPlayer = 429;
/// The player went away, or did not answer, during a call.
inline constexpr int kPlayerGone = 462;
/// The player cannot do this at all; the message names the limit.
inline constexpr int kNotOffered = 438;
} // namespace music_error

/// What the words of a two-step command are taken for.
enum class MusicStep { SearchLibrary, FindPlaylist, CreatePlaylist, SetVolume };

/// A playlist of the library, as the player lists it.
struct MusicPlaylist {
    std::string id;
    std::string name;
    /// -1 when the player does not tell.
    int trackCount = -1;
};

/// A track found by a search.
struct MusicTrack {
    std::string id;
    std::string name;
};

/// The user's music player, driven by the voice commands. Every call may
/// fail: kNoPlayer when no player is there, kPlayerGone when it stopped
/// answering, kNotOffered (with a message that names what is missing) for
/// what this player cannot do. Calls act on the player found by the last
/// attach().
class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;

    /// Finds the player to drive now: the one playing, else the first one
    /// running, else the user's default player, started and waited for.
    /// Fails with kNoPlayer, and a message for the user, when there is none.
    virtual Status attach() = 0;

    /// Whether the player can take this step at all, asked before the
    /// words are: fails as the step itself would (kNotOffered naming the
    /// limit), so that no words are asked for only to be refused. Changes
    /// nothing.
    virtual Status offers(MusicStep step) = 0;

    /// Selects a library and plays its first track (the radio only shows).
    virtual Status showLibrary(MusicLibrary library) = 0;

    /// Switches between the small player and the full window.
    virtual Status toggleMiniPlayer() = 0;

    /// Opens the player's own music store. kNotOffered when it has none.
    virtual Status gotoStoreHome() = 0;

    /// Opens a music-store search address in the player's own store.
    /// kNotOffered when it has none.
    virtual Status openStoreAddress(const std::string& address) = 0;

    /// Transport. restartTrack goes back to the start of the playing track.
    virtual Status restartTrack() = 0;
    virtual Status nextTrack() = 0;
    virtual Status previousTrack() = 0;
    virtual Status fastForward() = 0;
    virtual Status rewind() = 0;
    virtual Status resume() = 0;
    virtual Status pause() = 0;
    virtual Status stop() = 0;

    /// Mutes (true) or unmutes the sound; unmuting brings back the volume
    /// that was set before the mute, or, when that is not known and the
    /// volume is 0, the player's full volume.
    virtual Status setMuted(bool muted) = 0;

    /// Sets the volume, 0 to 100.
    virtual Status setVolume(int percent) = 0;

    /// Brings the player's full window to the front.
    virtual Status showPlayer() = 0;

    /// Asks the player to quit, and ends its process when it cannot or
    /// does not. Succeeds without doing anything when no player runs;
    /// never starts one.
    virtual Status quit() = 0;

    /// The library's playlists, in the player's order.
    virtual Result<std::vector<MusicPlaylist>> playlists() = 0;

    /// Selects the playlist in the player's window and, when playFirst,
    /// plays it from its first track.
    virtual Status selectPlaylist(const MusicPlaylist& playlist, bool playFirst) = 0;

    /// Creates a playlist of this name and selects it.
    virtual Status createPlaylist(const std::string& name) = 0;

    /// Deletes the playlist.
    virtual Status deletePlaylist(const MusicPlaylist& playlist) = 0;

    /// The tracks of a library (or the radio) whose field contains the words;
    /// empty when none does.
    virtual Result<std::vector<MusicTrack>> searchLibrary(MusicLibrary library, SearchField field,
                                                          const std::string& words) = 0;

    /// Appends a track to a playlist.
    virtual Status addTrack(const MusicPlaylist& playlist, const MusicTrack& track) = 0;

    /// Appends tracks to a playlist, in order; stops at the first that
    /// fails. A player that can add many at once overrides it.
    virtual Status addTracks(const MusicPlaylist& playlist, const std::vector<MusicTrack>& tracks) {
        for (const MusicTrack& track : tracks) {
            if (Status added = addTrack(playlist, track); !added) {
                return added;
            }
        }
        return {};
    }

    /// The texts a search of this library and field can find (artists for
    /// an artist search ...), for the dictation of its words to expect;
    /// empty when the player does not tell.
    virtual std::vector<std::string> searchPhrases(MusicLibrary library, SearchField field) {
        (void)library;
        (void)field;
        return {};
    }

    /// Plays a file or stream address (a track, a playlist file) at once,
    /// in place of what the player had.
    virtual Status openUri(const std::string& uri) = 0;
};

} // namespace kelvo
