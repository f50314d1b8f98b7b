// Reading 50,000 bookmarks from the three browsers together (a Favorites
// tree, a Firefox profile's places.sqlite, a Safari Bookmarks.plist), as
// the import does, and searching them: over rows already read, and as the
// voice search does, reading every store again.
#include "integrations/bookmarks/bookmark_stores.h"
#include "quiet_ports.h"
#include "windows/bookmark_matching_logic.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using namespace bookmarks;

constexpr int kPerBrowser = 50'000 / 3 + 1;

std::string title(int i) {
    static const char* words[] = {"News", "Recipes", "Weather", "Travel", "Music", "Sport"};
    return std::string(words[i % 6]) + " page " + std::to_string(i) + ", daily";
}

std::string address(const char* host, int i) {
    return std::string("https://") + host + ".example/section/" + std::to_string(i % 97) +
           "/item?id=" + std::to_string(i) + "&ref=bookmarks";
}

class BenchStores {
public:
    BenchStores() {
        std::string pattern = (fs::temp_directory_path() / "kelvo-bench-XXXXXX");
        m_root = ::mkdtemp(pattern.data());
        writeFavorites();
        writeFirefox();
        writeSafari();
        stores.favoritesFolder = m_root / "Favorites";
        stores.firefoxFolder = m_root / "firefox";
        stores.safariPlist = m_root / "Bookmarks.plist";
    }
    ~BenchStores() {
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }
    BookmarkStores stores;

private:
    void writeFavorites() {
        for (int i = 0; i < kPerBrowser; ++i) {
            const fs::path folder = m_root / "Favorites" / ("Folder " + std::to_string(i % 40)) /
                                    ("Sub " + std::to_string(i % 7));
            if (i < 280) {
                fs::create_directories(folder);
            }
            std::ofstream(folder / (title(i) + ".url"))
                << "[InternetShortcut]\r\nURL=" << address("ie", i) << "\r\n";
        }
    }

    void writeFirefox() {
        const fs::path profile = m_root / "firefox/abc.default-release";
        fs::create_directories(profile);
        std::ofstream(m_root / "firefox/profiles.ini")
            << "[Profile0]\nName=default-release\nIsRelative=1\nPath=abc.default-release\n";
        sqlite3* db = nullptr;
        sqlite3_open((profile / "places.sqlite").c_str(), &db);
        sqlite3_exec(
            db,
            "PRAGMA journal_mode=WAL;"
            "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title "
            "LONGVARCHAR, guid TEXT);"
            "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER, "
            "parent INTEGER, position INTEGER, title LONGVARCHAR, guid TEXT);"
            "INSERT INTO moz_bookmarks VALUES (1,2,NULL,0,0,'','root________'),"
            "(2,2,NULL,1,0,'menu','menu________'),(3,2,NULL,1,1,'tags','tags________');"
            "BEGIN;",
            nullptr, nullptr, nullptr);
        sqlite3_stmt* place = nullptr;
        sqlite3_stmt* mark = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO moz_places VALUES (?, ?, ?, 'g')", -1, &place, nullptr);
        sqlite3_prepare_v2(db, "INSERT INTO moz_bookmarks VALUES (?, 1, ?, 2, ?, ?, 'g')", -1,
                           &mark, nullptr);
        for (int i = 0; i < kPerBrowser; ++i) {
            const std::string url = address("ff", i);
            const std::string name = title(i);
            sqlite3_bind_int(place, 1, i + 1);
            sqlite3_bind_text(place, 2, url.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(place, 3, name.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_step(place);
            sqlite3_reset(place);
            sqlite3_bind_int(mark, 1, i + 10);
            sqlite3_bind_int(mark, 2, i + 1);
            sqlite3_bind_int(mark, 3, i);
            sqlite3_bind_text(mark, 4, name.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_step(mark);
            sqlite3_reset(mark);
        }
        sqlite3_finalize(place);
        sqlite3_finalize(mark);
        sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }

    void writeSafari() {
        std::ofstream out(m_root / "Bookmarks.plist");
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
               "<key>Children</key><array>\n";
        for (int i = 0; i < kPerBrowser; ++i) {
            std::string url = address("sf", i);
            url.replace(url.find('&'), 1, "&amp;");
            out << "<dict><key>URIDictionary</key><dict><key>title</key><string>" << title(i)
                << "</string></dict><key>URLString</key><string>" << url
                << "</string><key>WebBookmarkType</key><string>WebBookmarkTypeLeaf</string>"
                   "</dict>\n";
        }
        out << "</array></dict></plist>\n";
    }

    fs::path m_root;
};

BenchStores& stores() {
    static BenchStores built;
    return built;
}

size_t readAll(const SearchFilter& filter, BookmarkRows* keep = nullptr) {
    size_t rows = 0;
    for (auto read : {readFavorites, readFirefox, readSafari}) {
        BrowserRead browser = read(stores().stores, filter);
        rows += browser.read.rows.size();
        if (keep != nullptr) {
            keep->insert(keep->end(), browser.read.rows.begin(), browser.read.rows.end());
        }
    }
    return rows;
}

class NullMatchingView : public BookmarkMatchingView {
public:
    void setBookmarkRows(const std::vector<BookmarkListRow>& rows) override {
        benchmark::DoNotOptimize(rows.data());
    }
    void setCommandRows(const std::vector<CommandListRow>&) override {}
    void setWide(bool) override {}
    bool filterTicked() const override { return false; }
    void setBusyPointer(bool) override {}
    void showWindow() override {}
    void showPhraseEditor(const BookmarkListRow&) override {}
};

// What the build button does for the three browsers: read every store and
// list every row in the matching window.
void BM_ImportThreeBrowsers(benchmark::State& state) {
    bench::QuietDialogs dialogs;
    bench::QuietApp app;
    MessageBoxState boxState;
    MessageBoxes boxes(boxState, dialogs, app);
    const CatalogueFiles files;
    NullMatchingView view;
    BookmarkMatchingLogic matching(view, {boxes, files, {}, {}, {}});
    (void)stores(); // written once, outside the timing
    for (auto _ : state) {
        matching.clearBookmarks();
        BookmarkRows read;
        readAll(SearchFilter(), &read);
        for (const Bookmark& bookmark : read) {
            matching.listBookmark("Firefox", bookmark.title, bookmark.address, "");
        }
        matching.showWindow();
    }
    state.counters["bookmarks"] = static_cast<double>(matching.bookmarkRows().size());
}
BENCHMARK(BM_ImportThreeBrowsers)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The keep rule over 50,000 rows already read.
void BM_SearchReadRows(benchmark::State& state) {
    static const BookmarkRows rows = [] {
        BookmarkRows all;
        readAll(SearchFilter(), &all);
        return all;
    }();
    const SearchFilter filter("weather page 4", true);
    size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (const Bookmark& row : rows) {
            found += filter.matches(row.title, row.address) ? 1 : 0;
        }
        benchmark::DoNotOptimize(found);
    }
    state.counters["bookmarks"] = static_cast<double>(rows.size());
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_SearchReadRows)->Unit(benchmark::kMillisecond);

// The voice search's reading: every store read again with the filter on.
void BM_SearchReadingStores(benchmark::State& state) {
    size_t found = 0;
    (void)stores();
    for (auto _ : state) {
        found = readAll(SearchFilter("weather page 4", true));
    }
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_SearchReadingStores)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// What arming the voice search costs when no store changed: the stores'
// signature, where it read every store again (BM_SearchReadingStores).
void BM_StoresSignature(benchmark::State& state) {
    (void)stores();
    for (auto _ : state) {
        benchmark::DoNotOptimize(storesSignature(stores().stores));
    }
}
BENCHMARK(BM_StoresSignature)->Unit(benchmark::kMillisecond);

// Each browser alone, without a filter: 0 Favorites, 1 Firefox, 2 Safari.
void BM_ReadOneBrowser(benchmark::State& state) {
    static constexpr BrowserRead (*kReaders[])(const BookmarkStores&, const SearchFilter&) = {
        readFavorites, readFirefox, readSafari};
    const auto read = kReaders[state.range(0)];
    size_t rows = 0;
    (void)stores();
    for (auto _ : state) {
        rows = read(stores().stores, SearchFilter()).read.rows.size();
    }
    state.counters["bookmarks"] = static_cast<double>(rows);
}
BENCHMARK(BM_ReadOneBrowser)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelvo
