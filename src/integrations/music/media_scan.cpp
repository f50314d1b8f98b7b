#include "integrations/music/media_scan.h"

#include "integrations/music/m3u_playlist.h"
#include "platform/ascii_text.h"

#include <array>
#include <set>
#include <string_view>
#include <unordered_map>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 14> kAudio = {".mp3",  ".m4a",  ".aac", ".ogg", ".oga",
                                                     ".opus", ".flac", ".wav", ".wma", ".aif",
                                                     ".aiff", ".ape",  ".wv",  ".mpc"};
constexpr std::array<std::string_view, 10> kVideo = {".mp4", ".m4v", ".mkv", ".avi",  ".webm",
                                                     ".mov", ".wmv", ".mpg", ".mpeg", ".ogv"};

bool listed(const auto& extensions, const fs::path& file) {
    const std::string extension = asciiLowered(file.extension().string());
    for (std::string_view known : extensions) {
        if (extension == known) {
            return true;
        }
    }
    return false;
}

bool isAudio(const fs::path& file) {
    return listed(kAudio, file);
}
bool isVideo(const fs::path& file) {
    return listed(kVideo, file);
}

bool hidden(const fs::path& entry) {
    const std::string name = entry.filename().string();
    return !name.empty() && name.front() == '.';
}

/// A file below the folder is in a folder of this name (any case).
bool underFolderNamed(const fs::path& file, const fs::path& root,
                      std::initializer_list<std::string_view> names) {
    const fs::path relative = file.parent_path().lexically_relative(root);
    for (const fs::path& part : relative) {
        const std::string name = asciiLowered(part.string());
        for (std::string_view wanted : names) {
            if (name == wanted) {
                return true;
            }
        }
    }
    return false;
}

enum class Root { Music, Videos, Podcasts };

/// The kind a file below a root has; nullopt when that root takes no such
/// file.
std::optional<MediaKind> kindOf(Root root, const fs::path& file, const fs::path& folder) {
    switch (root) {
    case Root::Music:
        if (underFolderNamed(file, folder, {"podcasts"})) {
            return isAudio(file) || isVideo(file) ? std::optional(MediaKind::Podcast)
                                                  : std::nullopt;
        }
        return isAudio(file) ? std::optional(MediaKind::Music) : std::nullopt;
    case Root::Videos:
        if (!isVideo(file)) {
            return std::nullopt;
        }
        return underFolderNamed(file, folder, {"tv", "tv shows"}) ? MediaKind::Tv
                                                                  : MediaKind::Movie;
    case Root::Podcasts:
        return isAudio(file) || isVideo(file) ? std::optional(MediaKind::Podcast) : std::nullopt;
    }
    return std::nullopt;
}

std::int64_t modifiedOf(const fs::directory_entry& entry) {
    std::error_code ec;
    const auto time = entry.last_write_time(ec);
    return ec ? 0 : static_cast<std::int64_t>(time.time_since_epoch().count());
}

class Scan {
public:
    Scan(const MediaCatalog* previous, const TagReader& readTags, std::stop_token stop)
        : m_readTags(readTags), m_stop(std::move(stop)) {
        if (previous != nullptr) {
            for (const MediaItem& item : previous->items()) {
                if (item.kind != MediaKind::Radio) {
                    m_known.emplace(item.location, &item);
                }
            }
        }
    }

    void walk(const fs::path& folder, Root root) {
        std::error_code ec;
        if (folder.empty() || !fs::is_directory(folder, ec)) {
            return;
        }
        fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied,
                                            ec);
        for (; !ec && it != fs::recursive_directory_iterator() && !m_stop.stop_requested();
             it.increment(ec)) {
            const fs::directory_entry& entry = *it;
            if (hidden(entry.path())) {
                if (entry.is_directory(ec)) {
                    it.disable_recursion_pending();
                }
                continue;
            }
            if (!entry.is_regular_file(ec)) {
                continue;
            }
            if (auto kind = kindOf(root, entry.path(), folder)) {
                add(entry, *kind);
            }
        }
    }

    void addStations(const fs::path& file) {
        auto text = readM3uFile(file);
        if (!text) {
            return;
        }
        for (PlaylistEntry& station : parseM3u(*text, file.parent_path())) {
            MediaItem item;
            item.kind = MediaKind::Radio;
            item.title = station.title.empty() ? station.location : station.title;
            item.location = std::move(station.location);
            m_items.push_back(std::move(item));
        }
    }

    std::vector<MediaItem> take() { return std::move(m_items); }

private:
    void add(const fs::directory_entry& entry, MediaKind kind) {
        std::string location = entry.path().string();
        if (!m_seen.insert(location).second) {
            return;
        }
        std::error_code ec;
        const std::uint64_t size = entry.file_size(ec);
        const std::int64_t modified = modifiedOf(entry);
        auto known = m_known.find(location);
        if (known != m_known.end() && known->second->size == size &&
            known->second->modified == modified) {
            MediaItem item = *known->second;
            // A video its tags made a TV episode stays one.
            if (kind != MediaKind::Movie || item.kind != MediaKind::Tv) {
                item.kind = kind;
            }
            m_items.push_back(std::move(item));
            return;
        }
        const MediaTags tags = m_readTags(entry.path(), m_stop);
        MediaItem item;
        item.location = std::move(location);
        item.kind = kind == MediaKind::Movie && tags.tvShow ? MediaKind::Tv : kind;
        item.title = tags.title.empty() ? entry.path().stem().string() : tags.title;
        item.artist = tags.artist;
        item.album = tags.album;
        item.composer = tags.composer;
        item.disc = tags.disc;
        item.track = tags.track;
        item.modified = modified;
        item.size = size;
        m_items.push_back(std::move(item));
    }

    const TagReader& m_readTags;
    const std::stop_token m_stop;
    std::unordered_map<std::string, const MediaItem*> m_known;
    std::set<std::string> m_seen;
    std::vector<MediaItem> m_items;
};

} // namespace

fs::path radioStationsFile(const fs::path& musicFolder) {
    return musicFolder / "Radio.m3u";
}

std::vector<MediaItem> scanMediaFolders(const MediaFolders& folders, const MediaCatalog* previous,
                                        const TagReader& readTags, std::stop_token stop) {
    Scan scan(previous, readTags, std::move(stop));
    // The podcasts folder first, so a podcasts folder inside the music
    // folder holds podcasts, not music.
    scan.walk(folders.podcasts, Root::Podcasts);
    scan.walk(folders.music, Root::Music);
    scan.walk(folders.videos, Root::Videos);
    if (!folders.music.empty()) {
        scan.addStations(radioStationsFile(folders.music));
    }
    return scan.take();
}

std::vector<fs::path> mediaFolderTree(const MediaFolders& folders) {
    std::vector<fs::path> tree;
    std::set<fs::path> seen;
    for (const fs::path& folder : {folders.music, folders.videos, folders.podcasts}) {
        std::error_code ec;
        if (!folder.empty() && !fs::exists(folder, ec)) {
            // The folder the user makes later is seen where it will appear.
            const fs::path parent = folder.parent_path();
            if (fs::is_directory(parent, ec) && seen.insert(parent).second) {
                tree.push_back(parent);
            }
            continue;
        }
        if (folder.empty() || !fs::is_directory(folder, ec) || !seen.insert(folder).second) {
            continue;
        }
        tree.push_back(folder);
        fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied,
                                            ec);
        for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (!it->is_directory(ec)) {
                continue;
            }
            if (hidden(it->path())) {
                it.disable_recursion_pending();
                continue;
            }
            if (seen.insert(it->path()).second) {
                tree.push_back(it->path());
            }
        }
    }
    return tree;
}

bool changesIndex(const fs::path& changed, bool folder, const MediaFolders& folders) {
    if (hidden(changed)) {
        return false;
    }
    if (folder || (!folders.music.empty() && changed == radioStationsFile(folders.music))) {
        return true;
    }
    return isAudio(changed) || isVideo(changed);
}

} // namespace kelvo
