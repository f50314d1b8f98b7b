#pragma once

#include "integrations/music/music_player.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kelvo {

/// Which of the user's libraries a file or station belongs to.
enum class MediaKind { Music, Movie, Tv, Podcast, Radio };

/// One file of the user's media folders, or one radio station.
struct MediaItem {
    /// The file's absolute path, or the station's stream address.
    std::string location;
    MediaKind kind = MediaKind::Music;
    std::string title;
    std::string artist;
    std::string album;
    std::string composer;
    int disc = 0;
    int track = 0;
    /// What the file was when its tags were read, so an unchanged file is
    /// not read again.
    std::int64_t modified = 0;
    std::uint64_t size = 0;
};

/// The lower-case words of a text, as searches compare them: letters and
/// digits kept, apostrophes dropped ("don't" is "dont"), anything else a
/// break between words. Bytes past ASCII are kept as they are.
std::string searchText(std::string_view text);

/// A read-only snapshot of the index: the items in library order (artist,
/// album, disc, track, title) and what searches compare, made once.
class MediaCatalog {
public:
    MediaCatalog() = default;
    explicit MediaCatalog(std::vector<MediaItem> items);
    // The location table points into the items: moved with them, never copied.
    MediaCatalog(const MediaCatalog&) = delete;
    MediaCatalog& operator=(const MediaCatalog&) = delete;
    MediaCatalog(MediaCatalog&&) = default;
    MediaCatalog& operator=(MediaCatalog&&) = default;

    const std::vector<MediaItem>& items() const { return m_items; }

    /// The items of a library, in library order; All is every file (no
    /// station).
    std::vector<const MediaItem*> library(MusicLibrary library) const;

    /// The items of a library whose field holds every word of the query
    /// (each word anywhere in the field, in any case); nothing for a query
    /// without words.
    std::vector<const MediaItem*> search(MusicLibrary library, SearchField field,
                                         std::string_view words) const;

    /// The distinct texts a search of this library and field compares, as
    /// the tags write them: the artists for an artist search, sorted; for a
    /// search of all, the artists, then the albums, titles and composers.
    std::vector<std::string> phrases(MusicLibrary library, SearchField field) const;

    /// The item at a location; null when none.
    const MediaItem* find(std::string_view location) const;

private:
    struct Folded {
        std::string title;
        std::string artist;
        std::string album;
        std::string composer;
        /// All four, each ended by a break so no word runs across two.
        std::string all;
    };

    std::vector<MediaItem> m_items;
    std::vector<Folded> m_folded;
    std::unordered_map<std::string_view, size_t> m_byLocation;
};

/// Whether an item belongs to a library.
bool inLibrary(const MediaItem& item, MusicLibrary library);

} // namespace kelvo
