#pragma once

#include "integrations/music/media_catalog.h"
#include "integrations/music/media_tags.h"

#include <filesystem>
#include <stop_token>
#include <vector>

namespace kelvo {

/// The user's media folders; an empty path is a folder the user has not.
struct MediaFolders {
    /// Music, with its playlists, its "Podcasts" folder and the radio
    /// stations file.
    std::filesystem::path music;
    /// Movies, and TV episodes in a "TV" or "TV Shows" folder (or tagged
    /// with a show).
    std::filesystem::path videos;
    /// Podcast episodes, audio or video.
    std::filesystem::path podcasts;
};

/// The playlist of stream addresses the user keeps in the music folder, one
/// station each.
std::filesystem::path radioStationsFile(const std::filesystem::path& musicFolder);

/// Every media file below the folders and every radio station. A file whose
/// size and time match its item in previous keeps that item; any other is
/// read with readTags. Hidden files and folders are skipped, and so is a
/// file that a second folder reaches again. Once stop is requested the scan
/// ends soon, with what it had; that is no index to keep.
std::vector<MediaItem> scanMediaFolders(const MediaFolders& folders, const MediaCatalog* previous,
                                        const TagReader& readTags, std::stop_token stop = {});

/// The folders and every folder below them (hidden ones skipped), to watch;
/// for a folder not there yet, the folder it would be made in.
std::vector<std::filesystem::path> mediaFolderTree(const MediaFolders& folders);

/// Whether a change to this file can change the index: a media file or the
/// stations file (any folder that is not hidden can).
bool changesIndex(const std::filesystem::path& changed, bool folder, const MediaFolders& folders);

} // namespace kelvo
