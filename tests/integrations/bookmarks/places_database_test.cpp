#include "fakes/temp_dir.h"
#include "integrations/bookmarks/bookmark_stores.h"
#include "integrations/bookmarks/places_database.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>

namespace kelvo::bookmarks {
namespace {

namespace fs = std::filesystem;

// The tables Firefox keeps its bookmarks in, with their real columns.
constexpr const char* kSchema = R"(
PRAGMA journal_mode = WAL;
PRAGMA wal_autocheckpoint = 0;
CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,
  rev_host LONGVARCHAR, visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL,
  typed INTEGER DEFAULT 0 NOT NULL, frecency INTEGER DEFAULT -1 NOT NULL, last_visit_date INTEGER,
  guid TEXT, foreign_count INTEGER DEFAULT 0 NOT NULL, url_hash INTEGER DEFAULT 0 NOT NULL,
  description TEXT, preview_image_url TEXT, site_name TEXT, origin_id INTEGER,
  recalc_frecency INTEGER NOT NULL DEFAULT 0, alt_frecency INTEGER,
  recalc_alt_frecency INTEGER NOT NULL DEFAULT 0);
CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL,
  parent INTEGER, position INTEGER, title LONGVARCHAR, keyword_id INTEGER,
  folder_type TEXT, dateAdded INTEGER, lastModified INTEGER, guid TEXT,
  syncStatus INTEGER NOT NULL DEFAULT 0, syncChangeCounter INTEGER NOT NULL DEFAULT 1);
INSERT INTO moz_places (id, url, title, guid) VALUES
  (1, 'https://www.mozilla.org/firefox/', 'Firefox', 'p1'),
  (2, 'https://example.org/a,b?x=1&y=2', 'Page title', 'p2'),
  (3, 'place:parent=toolbar_____&sort=12', NULL, 'p3'),
  (4, 'https://tagged.example/', 'Tagged', 'p4');
INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, guid) VALUES
  (1, 2, NULL, 0, 0, '', 'root________'),
  (2, 2, NULL, 1, 0, 'menu', 'menu________'),
  (3, 2, NULL, 1, 1, 'toolbar', 'toolbar_____'),
  (4, 2, NULL, 1, 2, 'tags', 'tags________'),
  (5, 1, 1, 2, 0, 'Get Firefox', 'b5'),
  (6, 3, NULL, 2, 1, NULL, 'b6'),
  (7, 2, NULL, 2, 2, 'Folder', 'b7'),
  (8, 1, 2, 7, 0, NULL, 'b8'),
  (9, 1, 3, 3, 0, 'Recent Tags', 'b9'),
  (10, 2, NULL, 4, 0, 'news', 'b10'),
  (11, 1, 4, 10, 0, NULL, 'b11'),
  (12, 1, 4, 3, 1, 'Tagged page', 'b12');
)";

struct Database {
    explicit Database(const fs::path& file) {
        sqlite3_open(file.c_str(), &db);
        exec(kSchema);
    }
    ~Database() { sqlite3_close(db); }
    void exec(const char* sql) const {
        char* error = nullptr;
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << error;
    }
    sqlite3* db = nullptr;
};

TEST(PlacesDatabase, ReadsBookmarksWhileFirefoxHoldsItsLock) {
    fakes::TempDir dir;
    const fs::path profile = dir / "firefox/abc.default-release";
    fs::create_directories(profile);
    Database firefox(profile / "places.sqlite");
    // As a running Firefox does: the database locked, a change still in the
    // write-ahead log.
    firefox.exec("PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE;"
                 "UPDATE moz_bookmarks SET title = 'Renamed in the log' WHERE id = 5; COMMIT;"
                 "BEGIN EXCLUSIVE;");
    ASSERT_TRUE(fs::exists(profile / "places.sqlite-wal"));
    std::ofstream(profile / "bookmarks.html")
        << "<DL><DT><A HREF=\"https://tagged.example/\">Tagged page</A>"
           "<DT><A HREF=\"https://export.example/\">Only exported</A></DL>";
    std::ofstream(dir / "firefox/profiles.ini")
        << "[Profile0]\nName=default-release\nIsRelative=1\nPath=abc.default-release\n";

    BookmarkStores stores;
    stores.firefoxFolder = dir / "firefox";
    const BrowserRead read = readFirefox(stores, {});
    EXPECT_TRUE(read.registered);
    EXPECT_TRUE(read.read.problems.empty());
    const BookmarkRows expected{{"Tagged page", "https://tagged.example/"},
                                {"Only exported", "https://export.example/"},
                                {"Renamed in the log", "https://www.mozilla.org/firefox/"},
                                {"Page title", "https://example.org/a,b?x=1&y=2"}};
    EXPECT_EQ(read.read.rows, expected);

    BookmarkRows filtered;
    ASSERT_TRUE(readPlacesDatabase(profile / "places.sqlite", SearchFilter("A,B", true), filtered));
    EXPECT_EQ(filtered.size(), 1u);
    firefox.exec("COMMIT;");
}

TEST(PlacesDatabase, AFileThatIsNoDatabaseIsReported) {
    fakes::TempDir dir;
    std::ofstream(dir / "places.sqlite") << "not a database at all, just text";
    BookmarkRows rows;
    const Status status = readPlacesDatabase(dir / "places.sqlite", {}, rows);
    EXPECT_FALSE(status.ok());
    EXPECT_TRUE(rows.empty());
    EXPECT_FALSE(readPlacesDatabase(dir / "missing.sqlite", {}, rows).ok());
}

} // namespace
} // namespace kelvo::bookmarks
