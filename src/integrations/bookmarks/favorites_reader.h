#pragma once

#include "integrations/bookmarks/bookmark_rows.h"

#include <filesystem>
#include <string_view>

namespace kelvo::bookmarks {

/// The address a ".url" shortcut holds: key "URL" of its section
/// "InternetShortcut"; "abc" when the file has no such key.
std::string urlShortcutAddress(std::string_view fileText);

/// How far the Favorites walk may go.
struct WalkLimits {
    int maxDepth = 32;
    size_t maxEntries = 500'000;
};

/// Walks the Favorites folder and the folders below it, each folder's
/// entries in name order, and takes every ".url" shortcut (any case of the
/// extension) whose name without the extension is the title. A folder
/// reached twice (a symbolic link back up the tree) is walked once; past
/// the limits the walk stops. A missing folder, or a folder or file that
/// cannot be read, is skipped and named in the problems.
void listIEFavorites(const std::filesystem::path& folder, const SearchFilter& filter,
                     SourceRead& read, const WalkLimits& limits = {});

} // namespace kelvo::bookmarks
