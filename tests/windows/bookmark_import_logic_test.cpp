#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/temp_dir.h"
#include "services/hex_coding.h"
#include "windows/bookmark_import_logic.h"

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <map>
#include <set>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

class FakeImportView : public BookmarkImportView {
public:
    void setTicked(ImportSource source, bool on) override {
        if (on) {
            ticked.insert(source);
        } else {
            ticked.erase(source);
        }
    }
    void setStatusShown(ImportSource source, bool shown) override { status[source] = shown; }
    void setLoginPanelVisible(bool visible) override { loginVisible = visible; }
    std::string userName() const override { return user; }
    std::string password() const override { return pass; }
    void clearPassword() override { pass.clear(); }
    void setBusyPointer(bool busy) override { this->busy = busy; }
    void showWindow() override {}

    std::set<ImportSource> ticked;
    std::map<ImportSource, bool> status;
    bool loginVisible = false;
    bool busy = false;
    std::string user = "bob";
    std::string pass = "pw";
};

class NullMatchingView : public BookmarkMatchingView {
public:
    void setBookmarkRows(const std::vector<BookmarkListRow>&) override {}
    void setCommandRows(const std::vector<CommandListRow>&) override {}
    void setWide(bool) override {}
    bool filterTicked() const override { return filter; }
    void setBusyPointer(bool) override {}
    void showWindow() override { ++shown; }
    void showPhraseEditor(const BookmarkListRow&) override {}
    bool filter = false;
    int shown = 0;
};

// Answers every post with one scripted status and body, and counts them.
class StatusHttpClient : public HttpClient {
public:
    std::string httpPost(std::string_view, std::string_view) override { return {}; }
    HttpReply postForReply(std::string_view address, std::string_view) override {
        addresses.emplace_back(address);
        return reply;
    }
    HttpReply reply;
    std::vector<std::string> addresses;
};

struct ImportRig {
    ImportRig() {
        fs::create_directories(dir / "Favorites");
        std::ofstream(dir / "Favorites/News.url") << "[InternetShortcut]\nURL=http://news/\n";
        std::ofstream(dir / "Favorites/Mine.url") << "[InternetShortcut]\nURL=http://mine/\n";
        std::ofstream(files.customStore()) << "<?xml version=\"1.0\"?><cset><c d=\"go mine\" "
                                              "u=\"http://mine/\">go mine</c></cset>";
        settings.writeIni("Etowah", "delaware", stringToHex("http://127.0.0.1/user/pass"));
        stores.favoritesFolder = dir / "Favorites";
    }
    /// Ticks the boxes as the user does.
    void tick(std::initializer_list<ImportSource> sources) {
        for (ImportSource source : sources) {
            logic.sourceClicked(source, true);
        }
    }
    BookmarkImportServices services() {
        return {state,
                settings,
                boxes,
                http,
                [this]() -> BookmarkMatchingLogic& { return matching; },
                [this] { return stores; },
                {},
                {}};
    }
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : dialogs.shown) {
            texts.push_back(box.kind + ": " + box.title + " / " + box.message);
        }
        return texts;
    }

    fakes::TempDir dir;
    CatalogueFiles files{dir.path(), dir.path()};
    fakes::FakeErrorSink errors;
    SettingsFile settings{dir / "mouse.ini", errors};
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    BookmarkState state;
    StatusHttpClient http;
    bookmarks::BookmarkStores stores;
    NullMatchingView matchingView;
    BookmarkMatchingLogic matching{
        matchingView,
        {boxes,
         files,
         {},
         [this](const std::string& filter) { logic.reImportBookmarks(filter); },
         {}}};
    FakeImportView view;
    BookmarkImportLogic logic{view, services()};
};

TEST(BookmarkImportLogic, NothingChosenOrNoLogInIsRefused) {
    ImportRig rig;
    rig.logic.command2Clicked();
    rig.tick({ImportSource::WebService});
    rig.view.pass.clear();
    rig.logic.command2Clicked();
    EXPECT_EQ(rig.shownTexts(),
              (std::vector<std::string>{
                  "modal: Import Problem / You forgot to select which bookmarks you want to view.",
                  "modal: Import Problem / You must enter a username and password to access "
                  "bookmarks stored on Markstack"}));
    EXPECT_TRUE(rig.http.addresses.empty());
}

TEST(BookmarkImportLogic, EachFailedRequestShowsItsNoticeThenNothingFound) {
    struct Case {
        long status;
        std::string body;
        std::string notice;
    } cases[] = {
        {401, "", "The Markstack username and/or password you entered was not valid."},
        {503, "", "Unable to connect with Markstack."},
        {200, "", "Unable to connect to Markstack."},
        {200, "<<garbage", "Unable to connect to Markstack."},
        {0, "", "Unable to connect to Markstack."},
    };
    for (const Case& c : cases) {
        ImportRig rig;
        rig.tick({ImportSource::WebService});
        rig.http.reply = {c.status, c.body, "timed out"};
        rig.logic.command2Clicked();
        ASSERT_EQ(rig.dialogs.shown.size(), 2u) << c.notice;
        EXPECT_EQ(rig.dialogs.shown[0].kind, "notice");
        EXPECT_EQ(rig.dialogs.shown[0].title, c.notice);
        EXPECT_TRUE(rig.dialogs.shown[0].modal);
        EXPECT_EQ(rig.dialogs.shown[1].message, "No items were found to import.");
        EXPECT_EQ(rig.view.pass, "");
        EXPECT_FALSE(rig.view.status[ImportSource::WebService]);
    }
}

// A damaged stored address is no address: the service is unavailable, and
// no error window ends the program.
TEST(BookmarkImportLogic, ADamagedStoredAddressIsNoService) {
    ImportRig rig;
    rig.settings.writeIni("Etowah", "delaware", "ZZ");
    rig.tick({ImportSource::WebService});
    rig.logic.command2Clicked();
    EXPECT_TRUE(rig.http.addresses.empty());
    EXPECT_EQ(rig.shownTexts(),
              (std::vector<std::string>{"notice: Unable to connect with Markstack. / Please try "
                                        "again later.",
                                        "modal: Import Problem / No items were found to import."}));
}

TEST(BookmarkImportLogic, BuildListsEverySourceAndTheRebuildFiltersWithoutARequest) {
    ImportRig rig;
    rig.tick({ImportSource::WebService, ImportSource::InternetExplorer, ImportSource::Firefox});
    rig.http.reply = {200,
                      "<posts><post href=\"http://mine/\" description=\"Mine too\"/>"
                      "<post href=\"http://web/\" description=\"Web: one\"/></posts>",
                      ""};
    rig.logic.command2Clicked();
    ASSERT_EQ(rig.http.addresses, std::vector<std::string>{"http://127.0.0.1/bob/pw"});
    const std::vector<BookmarkListRow> all{{"http://mine/", "Markstack", "Mine too"},
                                           {"http://web/", "Markstack", "Web-one"},
                                           {"http://mine/", "Internet Explorer", "Mine"},
                                           {"http://news/", "Internet Explorer", "News"}};
    EXPECT_EQ(rig.matching.bookmarkRows(), all);
    EXPECT_EQ(rig.matchingView.shown, 1);
    // Firefox is not installed here, yet counts as read.
    EXPECT_TRUE(rig.view.status[ImportSource::Firefox]);
    EXPECT_TRUE(rig.dialogs.shown.empty());

    rig.logic.sourceClicked(ImportSource::WebService, false);
    rig.matchingView.filter = true;
    rig.matching.check1Clicked();
    const std::vector<BookmarkListRow> filtered{{"http://web/", "Markstack", "Web-one"},
                                                {"http://news/", "Internet Explorer", "News"}};
    EXPECT_EQ(rig.matching.bookmarkRows(), filtered);
    EXPECT_EQ(rig.http.addresses.size(), 1u);
}

TEST(BookmarkImportLogic, TheChosenSourcesOutliveTheDialog) {
    ImportRig rig;
    rig.tick({ImportSource::InternetExplorer});
    rig.logic.command2Clicked();
    rig.logic.formUnload();
    // Closed: a phrase saved from the matching window rebuilds through a
    // dialog made anew, which shows and reads the same choice.
    FakeImportView reopenedView;
    BookmarkImportLogic reopened(reopenedView, rig.services());
    reopened.formLoad();
    EXPECT_EQ(reopenedView.ticked, std::set<ImportSource>{ImportSource::InternetExplorer});
    EXPECT_FALSE(reopenedView.loginVisible);
    reopened.reImportBookmarks("filter");
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(rig.matching.bookmarkRows(),
              (std::vector<BookmarkListRow>{{"http://news/", "Internet Explorer", "News"}}));
}

} // namespace
} // namespace kelvo
