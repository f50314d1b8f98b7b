#pragma once

#include "platform/status.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// One entry of a playlist file: a path or stream address, and the title
/// its #EXTINF line gives (empty when none).
struct PlaylistEntry {
    std::string location;
    std::string title;
};

/// The entries of an M3U or M3U8 text, in order. Paths relative to the
/// playlist's folder become absolute; comment lines other than #EXTINF are
/// skipped; CR LF line ends are read as well.
std::vector<PlaylistEntry> parseM3u(std::string_view text, const std::filesystem::path& folder);

/// An extended M3U text of the entries (an empty playlist is the header
/// line alone). An entry whose location holds a line break is left out of
/// this and of the calls below: no line of the format can hold it.
std::string m3uText(const std::vector<PlaylistEntry>& entries);

/// The lines of one entry, as appended to a playlist file; none for a
/// location with a line break.
std::string m3uEntryLines(const PlaylistEntry& entry);

/// Appends an entry to an existing playlist file, on a line of its own
/// even when the file does not end with a line break; the file is written
/// whole beside it and renamed over it. Fails, leaving it as it was, when
/// it is missing or cannot be written.
Status appendM3uEntry(const std::filesystem::path& file, const PlaylistEntry& entry);

/// Appends entries, in order, as appendM3uEntry does one: the file is
/// written once for all of them.
Status appendM3uEntries(const std::filesystem::path& file,
                        const std::vector<PlaylistEntry>& entries);

/// Reads a playlist file: a regular file (links followed) of at most
/// 64 MiB. A FIFO, a device or a huge file where a playlist is expected
/// fails at once.
Result<std::string> readM3uFile(const std::filesystem::path& file);

/// Whether a file name ends in ".m3u" or ".m3u8", in any case.
bool isM3uFile(const std::filesystem::path& file);

/// A file:// address of an absolute path, every byte outside the
/// unreserved set and "/" percent-encoded; stream addresses are kept.
std::string mediaUri(const std::string& location);

} // namespace kelvo
