#include "program/program_music_library.h"

#include "platform/special_folders.h"

namespace kelvo {

namespace fs = std::filesystem;

MediaFolders userMediaFolders(const Environment& env) {
    MediaFolders folders;
    auto home = homeFolder(env);
    if (!home) {
        return folders;
    }
    const auto apart = [&home](Result<fs::path> folder) {
        return folder && folder->lexically_normal() != home->lexically_normal() ? *folder
                                                                                : fs::path();
    };
    folders.music = apart(xdgUserFolder(env, "XDG_MUSIC_DIR", "Music"));
    folders.videos = apart(xdgUserFolder(env, "XDG_VIDEOS_DIR", "Videos"));
    folders.podcasts = *home / "Podcasts";
    return folders;
}

ProgramMusicLibrary::ProgramMusicLibrary(MusicPlayer& player, const fs::path& dataFolder,
                                         MediaFolders folders)
    : m_library(std::move(folders), dataFolder / "media-index.txt"),
      m_player(player, m_library, dataFolder / "library-lists") {
    m_library.start();
}

} // namespace kelvo
