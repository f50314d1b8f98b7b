#include "fakes/temp_dir.h"
#include "integrations/bookmarks/favorites_reader.h"
#include "integrations/bookmarks/firefox_export.h"
#include "integrations/bookmarks/firefox_profiles.h"
#include "integrations/bookmarks/safari_bookmarks.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

namespace kelvo::bookmarks {
namespace {

namespace fs = std::filesystem;

// Shaped as Firefox writes its export: icons as data URIs, entities in
// titles and addresses, a folder, and two anchors sharing a line.
constexpr const char* kExport = R"(<!DOCTYPE NETSCAPE-Bookmark-file-1>
<!-- This is an automatically generated file.
     It will be read and overwritten.
     DO NOT EDIT! -->
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'self'; script-src 'none'; img-src data: *; object-src 'none'"></meta>
<TITLE>Bookmarks</TITLE>
<H1>Bookmarks Menu</H1>

<DL><p>
    <DT><H3 ADD_DATE="1700000000" LAST_MODIFIED="1700000100">Mozilla Firefox</H3>
    <DL><p>
        <DT><A HREF="https://support.mozilla.org/products/firefox?a=1&amp;b=2" ADD_DATE="1700000000" ICON_URI="https://support.mozilla.org/favicon.ico" ICON="data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAABAAAAAQCAYAAAAf8/9hAAAA>HREF=</A>">Get Help &amp; Support</A>
        <DT><A HREF="https://example.org/a,b" ADD_DATE="1">Fish, Chips &#39;n&#x27; &lt;Peas&gt;</A><DT><A HREF='https://second.example/' ADD_DATE=2>Second
on two lines</A>
        <DT><A HREF="place:sort=8&maxResults=10">Most Visited</A>
    </DL><p>
    <HR>
    <DT><A HREF=http://unquoted.example/path>Unquoted &amp;amp; once</A>
</DL>
)";

TEST(FirefoxExport, ReadsTheExportAsFirefoxWritesIt) {
    BookmarkRows rows;
    parseFirefoxExport(kExport, {}, rows);
    const BookmarkRows expected{
        {"Get Help & Support", "https://support.mozilla.org/products/firefox?a=1&b=2"},
        {"Fish, Chips 'n' <Peas>", "https://example.org/a,b"},
        {"Second on two lines", "https://second.example/"},
        {"Unquoted &amp; once", "http://unquoted.example/path"},
    };
    EXPECT_EQ(rows, expected);
}

TEST(FirefoxExport, FilterMatchesTitleOrAddressIgnoringCase) {
    struct Case {
        const char* text;
        size_t found;
    } cases[] = {{"SUPPORT", 1}, {"second.example", 1}, {"chips", 1}, {"", 4}, {"nowhere", 0}};
    for (const Case& c : cases) {
        BookmarkRows rows;
        parseFirefoxExport(kExport, SearchFilter(c.text, true), rows);
        EXPECT_EQ(rows.size(), c.found) << c.text;
    }
}

TEST(FirefoxExport, UnfinishedMarkupEndsQuietly) {
    for (const char* html :
         {"<A HREF=\"http://a/", "<A HREF=\"http://a/\">no end", "<!-- open", "<A", "<a href=x>"}) {
        BookmarkRows rows;
        parseFirefoxExport(html, {}, rows);
        EXPECT_LE(rows.size(), 1u) << html;
    }
}

TEST(FirefoxProfiles, DefaultProfilesOfProfilesIni) {
    const char* ini = "[Install4F96D1932A9F858E]\nDefault=abc.default-release\nLocked=1\n\n"
                      "[Profile1]\nName=default\nIsRelative=1\nPath=xyz.default\nDefault=1\n\n"
                      "[Profile0]\nName=default-release\nIsRelative=1\nPath=abc.default-release\n\n"
                      "[Profile2]\nName=work\nIsRelative=0\nPath=/srv/work\n\n"
                      "[Profile3]\nName=old\nIsRelative=1\nPath=xyz.default\n\n"
                      "[General]\nStartWithLastProfile=1\nVersion=2\n";
    const std::vector<fs::path> expected{"/home/u/.mozilla/firefox/xyz.default",
                                         "/home/u/.mozilla/firefox/abc.default-release"};
    EXPECT_EQ(defaultFirefoxProfiles(ini, "/home/u/.mozilla/firefox"), expected);
}

// A property list whose tags do not match.
constexpr const char* kBrokenPlist =
    "<?xml version=\"1.0\"?><plist><dict><key>Title</key><string>Bar</key></dict></plist>";

TEST(SafariBookmarks, ReadsBothDictionaryShapesAndRefusesTheRest) {
    const std::string plist = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd" [
  <!ENTITY boom "expanded">
]>
<plist version="1.0"><dict>
  <key>Children</key><array>
    <dict><key>Title</key><string>BookmarksBar</string><key>Children</key><array>
      <dict><key>URIDictionary</key><dict><key>title</key><string>Apple, Inc &amp; co</string></dict>
        <key>URLString</key><string>https://www.apple.com/a,b</string>
        <key>WebBookmarkType</key><string>WebBookmarkTypeLeaf</string></dict>
    </array></dict>
    <dict><key></key><string>http://old.example/</string><key>title</key><string>Old &boom;</string></dict>
  </array>
</dict></plist>)";
    BookmarkRows rows;
    ASSERT_TRUE(parseSafariBookmarks(plist, {}, rows).ok());
    const BookmarkRows expected{{"Apple, Inc & co", "https://www.apple.com/a,b"},
                                {"Old &boom;", "http://old.example/"}};
    EXPECT_EQ(rows, expected);

    for (std::string_view bad :
         {std::string_view("bplist00\x01\x02", 10), std::string_view(kBrokenPlist)}) {
        BookmarkRows none;
        EXPECT_FALSE(parseSafariBookmarks(bad, {}, none).ok());
        EXPECT_TRUE(none.empty());
    }
}

void write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

TEST(Favorites, WalksTheTreeOnceThroughALinkLoop) {
    fakes::TempDir dir;
    const fs::path favorites = dir / "drive_c/users/me/Favorites";
    write(favorites / "Links/News/Deep/BBC.url",
          "\xEF\xBB\xBF[DEFAULT]\r\nBASEURL=http://x/\r\n[InternetShortcut]\r\nURL=http://"
          "www.bbc.co.uk/news?a=1,2\r\nIconIndex=0\r\n");
    write(favorites / "MSN.URL", "[InternetShortcut]\nURL=http://www.msn.com/\n");
    write(favorites / "No Address.url", "[InternetShortcut]\nIconFile=x.ico\n");
    write(favorites / "desktop.ini", "[.ShellClassInfo]\nURL=http://not.a.bookmark/\n");
    write(favorites / "Locked.url", "[InternetShortcut]\nURL=http://locked/\n");
    fs::create_directory_symlink(favorites, favorites / "Links/News/Loop");
    fs::create_symlink(favorites / "gone", favorites / "Broken.url");
    ::chmod((favorites / "Locked.url").c_str(), 0);
    const bool rootReadsAnyway = ::access((favorites / "Locked.url").c_str(), R_OK) == 0;

    SourceRead read;
    listIEFavorites(favorites, {}, read);
    BookmarkRows expected{{"BBC", "http://www.bbc.co.uk/news?a=1,2"},
                          {"MSN", "http://www.msn.com/"},
                          {"No Address", "abc"}};
    if (rootReadsAnyway) {
        expected.insert(expected.begin() + 1, {"Locked", "http://locked/"});
    } else {
        ASSERT_EQ(read.problems.size(), 1u);
        EXPECT_NE(read.problems[0].find("Locked.url"), std::string::npos);
    }
    EXPECT_EQ(read.rows, expected);

    SourceRead missing;
    listIEFavorites(dir / "nowhere", {}, missing);
    EXPECT_TRUE(missing.rows.empty());
    EXPECT_EQ(missing.problems.size(), 1u);
}

TEST(Favorites, StopsAtTheDepthLimit) {
    fakes::TempDir dir;
    fs::path deep = dir.path();
    for (int i = 0; i < 5; ++i) {
        deep /= "d";
        write(deep / "x.url", "[InternetShortcut]\nURL=http://x/" + std::to_string(i) + "\n");
    }
    SourceRead read;
    listIEFavorites(dir.path(), {}, read, WalkLimits{2, 1000});
    EXPECT_EQ(read.rows.size(), 2u);
    EXPECT_EQ(read.problems.size(), 1u);
}

} // namespace
} // namespace kelvo::bookmarks
