#include "integrations/music/media_catalog.h"

#include "platform/ascii_text.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace kelvo {

namespace {

std::vector<std::string> wordsOf(std::string_view folded) {
    std::vector<std::string> words;
    size_t at = 0;
    while (at < folded.size()) {
        const size_t start = folded.find_first_not_of(" \n", at);
        if (start == std::string_view::npos) {
            break;
        }
        const size_t end = std::min(folded.find_first_of(" \n", start), folded.size());
        words.emplace_back(folded.substr(start, end - start));
        at = end;
    }
    return words;
}

bool holdsAll(const std::string& field, const std::vector<std::string>& words) {
    return std::all_of(words.begin(), words.end(), [&field](const std::string& word) {
        return field.find(word) != std::string::npos;
    });
}

/// Library order: by kind, then as a player lists an album collection.
void sortInLibraryOrder(std::vector<MediaItem>& items) {
    using Key = std::tuple<MediaKind, std::string, std::string, int, int, std::string>;
    std::vector<std::pair<Key, size_t>> keys;
    keys.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        const MediaItem& item = items[i];
        keys.push_back({Key{item.kind, asciiLowered(item.artist), asciiLowered(item.album),
                            item.disc, item.track, asciiLowered(item.title)},
                        i});
    }
    std::sort(keys.begin(), keys.end(), [&items](const auto& a, const auto& b) {
        if (a.first != b.first) {
            return a.first < b.first;
        }
        return items[a.second].location < items[b.second].location;
    });
    std::vector<MediaItem> sorted;
    sorted.reserve(items.size());
    for (const auto& key : keys) {
        sorted.push_back(std::move(items[key.second]));
    }
    items = std::move(sorted);
}

} // namespace

std::string searchText(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\'') {
            continue;
        }
        if (byte >= 0x80 || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            folded.push_back(c);
        } else if (c >= 'A' && c <= 'Z') {
            folded.push_back(static_cast<char>(c - 'A' + 'a'));
        } else if (!folded.empty() && folded.back() != ' ') {
            folded.push_back(' ');
        }
    }
    while (!folded.empty() && folded.back() == ' ') {
        folded.pop_back();
    }
    return folded;
}

bool inLibrary(const MediaItem& item, MusicLibrary library) {
    switch (library) {
    case MusicLibrary::All:
        return item.kind != MediaKind::Radio;
    case MusicLibrary::Music:
        return item.kind == MediaKind::Music;
    case MusicLibrary::Movies:
        return item.kind == MediaKind::Movie;
    case MusicLibrary::Tv:
        return item.kind == MediaKind::Tv;
    case MusicLibrary::Podcasts:
        return item.kind == MediaKind::Podcast;
    case MusicLibrary::Radio:
        return item.kind == MediaKind::Radio;
    }
    return false;
}

MediaCatalog::MediaCatalog(std::vector<MediaItem> items) : m_items(std::move(items)) {
    sortInLibraryOrder(m_items);
    m_folded.reserve(m_items.size());
    m_byLocation.reserve(m_items.size());
    for (size_t i = 0; i < m_items.size(); ++i) {
        const MediaItem& item = m_items[i];
        // A station listed twice keeps its first place; the items after it
        // keep theirs.
        m_byLocation.emplace(item.location, i);
        Folded folded{searchText(item.title),
                      searchText(item.artist),
                      searchText(item.album),
                      searchText(item.composer),
                      {}};
        folded.all = folded.title + '\n' + folded.artist + '\n' + folded.album + '\n' +
                     folded.composer + '\n';
        m_folded.push_back(std::move(folded));
    }
}

std::vector<const MediaItem*> MediaCatalog::library(MusicLibrary library) const {
    std::vector<const MediaItem*> found;
    for (const MediaItem& item : m_items) {
        if (inLibrary(item, library)) {
            found.push_back(&item);
        }
    }
    return found;
}

std::vector<const MediaItem*> MediaCatalog::search(MusicLibrary library, SearchField field,
                                                   std::string_view words) const {
    std::vector<const MediaItem*> found;
    const std::vector<std::string> wanted = wordsOf(searchText(words));
    if (wanted.empty()) {
        return found;
    }
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (!inLibrary(m_items[i], library)) {
            continue;
        }
        const Folded& folded = m_folded[i];
        const std::string* compared = &folded.all;
        switch (field) {
        case SearchField::Artists:
            compared = &folded.artist;
            break;
        case SearchField::Albums:
            compared = &folded.album;
            break;
        case SearchField::Composers:
            compared = &folded.composer;
            break;
        case SearchField::SongNames:
            compared = &folded.title;
            break;
        case SearchField::All:
            break;
        }
        if (holdsAll(*compared, wanted)) {
            found.push_back(&m_items[i]);
        }
    }
    return found;
}

std::vector<std::string> MediaCatalog::phrases(MusicLibrary library, SearchField field) const {
    // A search of all fields lists the fields a user names most first: a
    // recogniser that can take only so many texts keeps those.
    static constexpr SearchField kOrder[] = {SearchField::Artists, SearchField::Albums,
                                             SearchField::SongNames, SearchField::Composers};
    std::vector<std::string> phrases;
    std::set<std::string> listed;
    for (SearchField group : kOrder) {
        if (field != SearchField::All && field != group) {
            continue;
        }
        std::set<std::string> texts;
        for (const MediaItem& item : m_items) {
            if (!inLibrary(item, library)) {
                continue;
            }
            const std::string& text = group == SearchField::Artists     ? item.artist
                                      : group == SearchField::Albums    ? item.album
                                      : group == SearchField::SongNames ? item.title
                                                                        : item.composer;
            if (!searchText(text).empty() && !listed.contains(text)) {
                texts.insert(text);
            }
        }
        listed.insert(texts.begin(), texts.end());
        phrases.insert(phrases.end(), texts.begin(), texts.end());
    }
    return phrases;
}

const MediaItem* MediaCatalog::find(std::string_view location) const {
    auto found = m_byLocation.find(location);
    return found == m_byLocation.end() ? nullptr : &m_items[found->second];
}

} // namespace kelvo
