#pragma once

#include "integrations/music/library_music_player.h"
#include "integrations/music/media_library.h"
#include "platform/environment.h"

#include <filesystem>

namespace kelvo {

/// The user's media folders: the desktop's music and videos folders and
/// "Podcasts" in the home folder. A folder that is the home folder itself
/// (as user-dirs names a folder the user turned off) is left out.
MediaFolders userMediaFolders(const Environment& env);

/// The user's media library, indexed from the start on its own thread, and
/// the player that plays it: the music commands' player.
class ProgramMusicLibrary {
public:
    /// The index is kept in the data folder.
    ProgramMusicLibrary(MusicPlayer& player, const std::filesystem::path& dataFolder,
                        MediaFolders folders);

    MusicPlayer& player() { return m_player; }
    MediaLibrary& library() { return m_library; }

private:
    MediaLibrary m_library;
    LibraryMusicPlayer m_player;
};

} // namespace kelvo
