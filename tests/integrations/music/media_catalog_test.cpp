#include "integrations/music/media_catalog.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

MediaItem item(const char* location, const char* title, const char* artist, const char* album,
               const char* composer = "", MediaKind kind = MediaKind::Music, int track = 0) {
    MediaItem made;
    made.location = location;
    made.title = title;
    made.artist = artist;
    made.album = album;
    made.composer = composer;
    made.kind = kind;
    made.track = track;
    return made;
}

MediaCatalog sample() {
    return MediaCatalog({
        item("/m/3", "So What", "Miles Davis", "Kind of Blue", "Miles Davis", MediaKind::Music, 1),
        item("/m/1", "Blue in Green", "Miles Davis", "Kind of Blue", "Bill Evans", MediaKind::Music,
             3),
        item("/m/2", "Don't Stop Me Now", "Queen", "Jazz", "Freddie Mercury"),
        item("/m/4", "Back in Black", "AC/DC", "Back in Black"),
        item("/v/1", "Blue Planet", "", "", "", MediaKind::Movie),
        item("/p/1", "Jazz Hour", "Radio Host", "Jazz Show", "", MediaKind::Podcast),
        item("http://s/blue", "Blue FM", "", "", "", MediaKind::Radio),
    });
}

std::vector<std::string> locations(const std::vector<const MediaItem*>& found) {
    std::vector<std::string> out;
    for (const MediaItem* hit : found) {
        out.push_back(hit->location);
    }
    return out;
}

struct SearchCase {
    MusicLibrary library;
    SearchField field;
    const char* words;
    std::vector<std::string> expected;
};

class CatalogSearch : public testing::TestWithParam<SearchCase> {};

TEST_P(CatalogSearch, MatchesEveryWordInTheField) {
    const SearchCase& c = GetParam();
    EXPECT_EQ(locations(sample().search(c.library, c.field, c.words)), c.expected) << c.words;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CatalogSearch,
    testing::Values(
        // Any case, any order of words, a word anywhere in the field.
        SearchCase{MusicLibrary::All, SearchField::Artists, "davis MILES", {"/m/3", "/m/1"}},
        SearchCase{MusicLibrary::All, SearchField::Artists, "mile", {"/m/3", "/m/1"}},
        // Each word must be there: "miles" is in the artist but "green" is not.
        SearchCase{MusicLibrary::All, SearchField::Artists, "miles green", {}},
        // Words of one item's fields do not join across fields for a field search...
        SearchCase{MusicLibrary::All, SearchField::SongNames, "miles", {}},
        // ...but do for a search of all fields.
        SearchCase{MusicLibrary::All, SearchField::All, "miles green", {"/m/1"}},
        SearchCase{MusicLibrary::All, SearchField::Composers, "bill evans", {"/m/1"}},
        SearchCase{MusicLibrary::All, SearchField::Albums, "kind of blue", {"/m/3", "/m/1"}},
        // Punctuation is a break, an apostrophe is dropped, as dictation writes them.
        SearchCase{MusicLibrary::All, SearchField::Artists, "ac dc", {"/m/4"}},
        SearchCase{MusicLibrary::All, SearchField::SongNames, "dont stop", {"/m/2"}},
        // The whole library holds every file but no station; each library its own.
        SearchCase{MusicLibrary::All, SearchField::All, "blue", {"/m/3", "/m/1", "/v/1"}},
        SearchCase{MusicLibrary::Movies, SearchField::All, "blue", {"/v/1"}},
        SearchCase{MusicLibrary::Radio, SearchField::All, "blue", {"http://s/blue"}},
        SearchCase{MusicLibrary::Podcasts, SearchField::All, "jazz", {"/p/1"}},
        SearchCase{MusicLibrary::Music, SearchField::All, "jazz", {"/m/2"}},
        // A query without words finds nothing rather than everything.
        SearchCase{MusicLibrary::All, SearchField::All, " - ", {}}));

TEST(MediaCatalog, ListsALibraryByArtistAlbumAndTrack) {
    EXPECT_EQ(locations(sample().library(MusicLibrary::Music)),
              (std::vector<std::string>{"/m/4", "/m/3", "/m/1", "/m/2"}));
}

TEST(MediaCatalog, PhrasesAreTheSearchedFieldsTextsOnce) {
    const MediaCatalog catalog = sample();
    EXPECT_EQ(catalog.phrases(MusicLibrary::All, SearchField::Artists),
              (std::vector<std::string>{"AC/DC", "Miles Davis", "Queen", "Radio Host"}));
    EXPECT_EQ(catalog.phrases(MusicLibrary::Music, SearchField::Composers),
              (std::vector<std::string>{"Bill Evans", "Freddie Mercury", "Miles Davis"}));
    EXPECT_EQ(catalog.phrases(MusicLibrary::Radio, SearchField::All),
              (std::vector<std::string>{"Blue FM"}));
    // Artists before albums before titles, each text once.
    EXPECT_EQ(catalog.phrases(MusicLibrary::Music, SearchField::All),
              (std::vector<std::string>{"AC/DC", "Miles Davis", "Queen", "Back in Black", "Jazz",
                                        "Kind of Blue", "Blue in Green", "Don't Stop Me Now",
                                        "So What", "Bill Evans", "Freddie Mercury"}));
    EXPECT_EQ(catalog.phrases(MusicLibrary::Movies, SearchField::All),
              (std::vector<std::string>{"Blue Planet"}));
}

TEST(MediaCatalog, FindsEachLocationAfterOneListedTwice) {
    // The stations file may name a stream twice.
    const MediaCatalog catalog({
        item("http://s/a", "A FM", "", "", "", MediaKind::Radio),
        item("http://s/a", "A FM again", "", "", "", MediaKind::Radio),
        item("http://s/b", "B FM", "", "", "", MediaKind::Radio),
    });
    for (const char* location : {"http://s/a", "http://s/b"}) {
        const MediaItem* found = catalog.find(location);
        ASSERT_NE(found, nullptr) << location;
        EXPECT_EQ(found->location, location);
    }
}

} // namespace
} // namespace kelvo
