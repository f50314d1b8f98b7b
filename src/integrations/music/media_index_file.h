#pragma once

#include "integrations/music/media_catalog.h"
#include "platform/status.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// The index as a text file: a header line, then one line per item with
/// its fields apart by tabs (tabs, line breaks and backslashes in a field
/// escaped).
std::string mediaIndexText(const std::vector<MediaItem>& items);

/// The items of an index text; fails on a text of another format or
/// version. A damaged line is left out.
Result<std::vector<MediaItem>> parseMediaIndex(std::string_view text);

/// Saves the index atomically.
Status saveMediaIndex(const std::filesystem::path& file, const std::vector<MediaItem>& items);

/// Loads a saved index; fails when it is missing, unreadable or of another
/// format.
Result<std::vector<MediaItem>> loadMediaIndex(const std::filesystem::path& file);

} // namespace kelvo
