#include "integrations/bookmarks/bookmark_stores.h"

#include "integrations/bookmarks/favorites_reader.h"
#include "integrations/bookmarks/firefox_export.h"
#include "integrations/bookmarks/firefox_profiles.h"
#include "integrations/bookmarks/places_database.h"
#include "integrations/bookmarks/safari_bookmarks.h"
#include "platform/atomic_file.h"

#include <sys/stat.h>

#include <set>
#include <unordered_set>

namespace kelvo::bookmarks {

namespace fs = std::filesystem;

namespace {

// No bookmark file is this large; reading one would only stall the search.
constexpr std::uintmax_t kLargestStore = 512u << 20;

std::optional<fs::path> settingPath(const SettingsFile& settings, std::string_view key,
                                    const std::optional<std::string>& home) {
    const std::string value = settings.readIni(kStoresSection, key, "x", 1000);
    if (value.empty() || value == "x") {
        return std::nullopt;
    }
    if (value.starts_with("~/")) {
        if (!home) {
            return std::nullopt;
        }
        return fs::path(*home) / value.substr(2);
    }
    return fs::path(value);
}

// Reads a store file that must be a regular file of a sane size.
std::optional<std::string> readStore(const fs::path& file, SourceRead& read) {
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (error || !fs::is_regular_file(status)) {
        read.problems.push_back("no file " + file.string());
        return std::nullopt;
    }
    if (fs::file_size(file, error) > kLargestStore || error) {
        read.problems.push_back("too large, not read: " + file.string());
        return std::nullopt;
    }
    Result<std::string> text = readWholeFile(file);
    if (!text) {
        read.problems.push_back(text.error().message());
        return std::nullopt;
    }
    return std::move(text).value();
}

bool pathExists(const fs::path& file) {
    std::error_code error;
    return fs::exists(file, error);
}

// Keeps the first of rows that share title and address, from `from` on.
void dropRepeats(BookmarkRows& rows, size_t from) {
    std::unordered_set<std::string> seen;
    size_t kept = from;
    for (size_t i = from; i < rows.size(); ++i) {
        std::string key = rows[i].title;
        key.push_back('\0');
        key += rows[i].address;
        if (seen.insert(std::move(key)).second) {
            if (kept != i) {
                rows[kept] = std::move(rows[i]);
            }
            ++kept;
        }
    }
    rows.resize(kept);
}

// One line of the signature; the line says so when there is no such file.
void signFile(const fs::path& file, std::string& signature) {
    struct stat info {};
    signature += file.string();
    if (::stat(file.c_str(), &info) == 0) {
        signature += ' ' + std::to_string(info.st_size) + ' ' +
                     std::to_string(info.st_mtim.tv_sec) + '.' +
                     std::to_string(info.st_mtim.tv_nsec);
    }
    signature += '\n';
}

// Each folder of the tree, as the Favorites walk reaches them: a folder
// changes its time when a shortcut in it is added, removed or renamed.
void signFolders(const fs::path& folder, int depth, std::set<std::pair<dev_t, ino_t>>& seen,
                 std::string& signature) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        !seen.insert({info.st_dev, info.st_ino}).second || depth > WalkLimits{}.maxDepth) {
        return;
    }
    signFile(folder, signature);
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) {
            signFolders(it->path(), depth + 1, seen, signature);
        }
    }
}

} // namespace

BookmarkStores locateBookmarkStores(const SettingsFile& settings, const Environment& env) {
    const std::optional<std::string> home = nonEmpty(env, "HOME");
    BookmarkStores stores;
    stores.favoritesFolder = settingPath(settings, kFavoritesKey, home);
    stores.safariPlist = settingPath(settings, kSafariKey, home);
    if (home) {
        stores.firefoxFolder = fs::path(*home) / ".mozilla" / "firefox";
    }
    return stores;
}

BrowserRead readFavorites(const BookmarkStores& stores, const SearchFilter& filter) {
    BrowserRead result;
    if (stores.favoritesFolder) {
        result.registered = true;
        listIEFavorites(*stores.favoritesFolder, filter, result.read);
    }
    return result;
}

BrowserRead readFirefox(const BookmarkStores& stores, const SearchFilter& filter) {
    BrowserRead result;
    if (!stores.firefoxFolder || !pathExists(*stores.firefoxFolder / "profiles.ini")) {
        return result;
    }
    SourceRead& read = result.read;
    const std::optional<std::string> ini = readStore(*stores.firefoxFolder / "profiles.ini", read);
    if (!ini) {
        return result;
    }
    result.registered = true;
    for (const fs::path& profile : defaultFirefoxProfiles(*ini, *stores.firefoxFolder)) {
        const size_t first = read.rows.size();
        const fs::path exported = profile / "bookmarks.html";
        if (pathExists(exported)) {
            if (std::optional<std::string> html = readStore(exported, read)) {
                parseFirefoxExport(*html, filter, read.rows);
            }
        }
        const fs::path places = profile / "places.sqlite";
        if (pathExists(places)) {
            if (Status status = readPlacesDatabase(places, filter, read.rows); !status) {
                read.problems.push_back(status.message());
            }
        }
        dropRepeats(read.rows, first);
    }
    return result;
}

BrowserRead readSafari(const BookmarkStores& stores, const SearchFilter& filter) {
    BrowserRead result;
    if (!stores.safariPlist) {
        return result;
    }
    result.registered = true;
    if (std::optional<std::string> plist = readStore(*stores.safariPlist, result.read)) {
        if (Status status = parseSafariBookmarks(*plist, filter, result.read.rows); !status) {
            result.read.problems.push_back(stores.safariPlist->string() + ": " + status.message());
        }
    }
    return result;
}

std::string storesSignature(const BookmarkStores& stores) {
    std::string signature;
    if (stores.favoritesFolder) {
        std::set<std::pair<dev_t, ino_t>> seen;
        signFolders(*stores.favoritesFolder, 0, seen, signature);
    }
    if (stores.firefoxFolder) {
        const fs::path ini = *stores.firefoxFolder / "profiles.ini";
        signFile(ini, signature);
        if (Result<std::string> text = readWholeFile(ini)) {
            for (const fs::path& profile : defaultFirefoxProfiles(*text, *stores.firefoxFolder)) {
                // Firefox writes to the journal beside the database first.
                for (const char* name : {"bookmarks.html", "places.sqlite", "places.sqlite-wal"}) {
                    signFile(profile / name, signature);
                }
            }
        }
    }
    if (stores.safariPlist) {
        signFile(*stores.safariPlist, signature);
    }
    return signature;
}

} // namespace kelvo::bookmarks
