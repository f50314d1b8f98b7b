#pragma once

#include <filesystem>
#include <functional>
#include <stop_token>
#include <string>

namespace kelvo {

/// What a media file's tags say; empty (0 for numbers) where they are
/// silent.
struct MediaTags {
    std::string title;
    std::string artist;
    std::string album;
    std::string composer;
    int disc = 0;
    int track = 0;
    /// The file names a TV show it is an episode of.
    bool tvShow = false;
};

/// Reads a file's tags with TagLib, whatever its format (ID3, Vorbis
/// comments, MP4, APE, ASF, RIFF); all empty for a file it cannot read or
/// that is no regular file. The file is opened for reading only. Reading
/// gives up once stop is requested, even in the middle of a file, and once
/// it has read 32 MiB, more than any tag needs.
MediaTags readMediaTags(const std::filesystem::path& file, std::stop_token stop = {});

/// How the index reads tags: readMediaTags, or a stand-in in tests.
using TagReader = std::function<MediaTags(const std::filesystem::path&, std::stop_token)>;

} // namespace kelvo
