#pragma once

#include "integrations/bookmarks/bookmark_rows.h"
#include "platform/environment.h"
#include "services/settings_file.h"

#include <filesystem>
#include <optional>

namespace kelvo::bookmarks {

/// Settings of the stores that are not found on their own: section
/// "Bookmarks", key "Favorites" (a folder of ".url" shortcuts, such as a
/// Wine prefix's) and key "Safari" (a Bookmarks.plist); "x" means none.
inline constexpr std::string_view kStoresSection = "Bookmarks";
inline constexpr std::string_view kFavoritesKey = "Favorites";
inline constexpr std::string_view kSafariKey = "Safari";

/// Where the three browsers keep their bookmarks on this desktop.
struct BookmarkStores {
    std::optional<std::filesystem::path> favoritesFolder;
    /// The folder holding profiles.ini (~/.mozilla/firefox).
    std::optional<std::filesystem::path> firefoxFolder;
    std::optional<std::filesystem::path> safariPlist;
};

/// The stores of the settings and of the home folder; a leading "~/" in a
/// setting is the home folder.
BookmarkStores locateBookmarkStores(const SettingsFile& settings, const Environment& env);

/// What one browser gave: whether it is there at all, and its rows.
struct BrowserRead {
    bool registered = false;
    SourceRead read;
};

/// The Favorites shortcuts; a folder that is not set gives nothing.
BrowserRead readFavorites(const BookmarkStores& stores, const SearchFilter& filter);

/// Every default profile of profiles.ini: its bookmarks.html export and its
/// places.sqlite, a bookmark both hold taken once. Registered when
/// profiles.ini can be read.
BrowserRead readFirefox(const BookmarkStores& stores, const SearchFilter& filter);

/// The Bookmarks.plist of the settings; registered when one is set.
BrowserRead readSafari(const BookmarkStores& stores, const SearchFilter& filter);

/// The path, size and modification time of every file the readers take
/// titles from, and of every Favorites folder (a shortcut's name is its
/// title), read without opening a bookmark: the same text means the titles
/// are the same.
std::string storesSignature(const BookmarkStores& stores);

} // namespace kelvo::bookmarks
