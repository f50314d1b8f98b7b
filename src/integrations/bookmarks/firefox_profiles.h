#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace kelvo::bookmarks {

/// The default profiles that a Firefox profiles.ini lists, in the file's
/// order, each once: a profile marked Default=1, one an Install section
/// names as its default, and one whose path holds ".default". Relative
/// paths are taken below firefoxFolder.
std::vector<std::filesystem::path>
defaultFirefoxProfiles(std::string_view profilesIni, const std::filesystem::path& firefoxFolder);

} // namespace kelvo::bookmarks
