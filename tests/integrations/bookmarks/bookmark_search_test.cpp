#include "fakes/fake_app_control.h"
#include "fakes/fake_dispatch_host.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_feedback_port.h"
#include "fakes/temp_dir.h"
#include "integrations/bookmarks/bookmark_search.h"
#include "integrations/bookmarks/results_page.h"
#include "platform/atomic_file.h"
#include "test_paths.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <fstream>
#include <functional>
#include <utility>

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using bookmarks::BookmarkStores;

// Records the grammar switches as short lines; a call beginning with the
// named text can fail.
class RecordingGrammar : public speech::SpeechGrammar {
public:
    Status cmdLoadFromFile(const std::string&, speech::LoadOption) override { return {}; }
    Status cmdSetRuleIdState(int, speech::RuleState state) override {
        return record(state == speech::RuleState::Active ? "rules on" : "rules off");
    }
    Status dictationLoad(const std::string& topic, speech::LoadOption) override {
        return record("load '" + topic + "'");
    }
    Status dictationSetState(speech::RuleState state) override {
        return record(state == speech::RuleState::Active ? "dictation on" : "dictation off");
    }
    Status dictationLoadVocabulary(const std::vector<std::string>& phrases) override {
        std::vector<std::string> sorted = phrases;
        std::sort(sorted.begin(), sorted.end());
        std::string joined;
        for (const std::string& phrase : sorted) {
            joined += (joined.empty() ? "" : "|") + phrase;
        }
        return record("load '' with " + joined);
    }
    bool hasRule(const std::string&) const override { return false; }

    Status record(const std::string& call) {
        calls.push_back(call);
        bool fails = !failing.empty() && call.rfind(failing, 0) == 0;
        return fails ? Status::failure(-1, "engine refused " + call) : Status{};
    }
    std::vector<std::string> calls;
    std::string failing;
};

// Runs a step of the test once, inside the first pump, as a tray click or
// a quit waiting there would run.
struct PausingApp : fakes::FakeAppControl {
    void pumpEvents() override {
        FakeAppControl::pumpEvents();
        if (auto step = std::exchange(during, nullptr)) {
            step();
        }
    }
    std::function<void()> during;
};

struct SearchRig {
    SearchRig() {
        host.grammarObject = &grammar;
        fs::create_directories(dir / "program");
        fs::copy_file(fs::path(KELVO_RESOURCES_DIR) / "bookmarks_template.html",
                      dir / "program/bookmarks_template.html");
        fs::create_directories(dir / "Favorites/Sub");
        std::ofstream(dir / "Favorites/Sub/Evil <b>.url")
            << "[InternetShortcut]\nURL=javascript:alert('<b>')\n";
        std::ofstream(dir / "Favorites/Kelvo News.url")
            << "[InternetShortcut]\nURL=http://news.example/?a=1&b=\"2\"\n";
        std::ofstream(dir / "Favorites/Other.url") << "[InternetShortcut]\nURL=http://other/\n";
        stores.favoritesFolder = dir / "Favorites";
    }

    BookmarkSearch search() {
        return BookmarkSearch(BookmarkSearchParts{
            state, host, app, feedback, errors, [this] { return stores; }, dir / "program",
            dir / "data", [this](const std::string& line) { logged.push_back(line); }});
    }

    // The results page as a document, or an empty one when there is none.
    pugi::xml_document page() const {
        pugi::xml_document document;
        (void)document.load_file((dir / "data/bookmark_results.html").c_str());
        return document;
    }

    fakes::TempDir dir;
    BookmarkState state;
    RecordingGrammar grammar;
    fakes::FakeDispatchHost host;
    PausingApp app;
    fakes::FakeFeedbackPort feedback;
    fakes::FakeErrorSink errors;
    BookmarkStores stores;
    std::vector<std::string> logged;
};

std::vector<std::string> texts(const pugi::xml_document& page, const char* xpath) {
    std::vector<std::string> out;
    for (const pugi::xpath_node& node : page.select_nodes(xpath)) {
        out.push_back(node.node().text().get());
    }
    return out;
}

TEST(BookmarkSearch, ArmsThenSearchesAndOpensTheResults) {
    SearchRig rig;
    BookmarkSearch search = rig.search();
    search.searchBookmarks("spell search bookmarks");
    search.searchBookmarks("search bookmarks");
    EXPECT_EQ(rig.state.bookmarkSearchPending, "true");
    // Free words are heard as the bookmarks' titles first.
    const std::vector<std::string> armed{"rules off",
                                         "load 'Spelling'",
                                         "dictation on",
                                         "rules off",
                                         "load '' with Evil <b>|Kelvo News|Other",
                                         "dictation on"};
    EXPECT_EQ(rig.grammar.calls, armed);
    EXPECT_EQ(rig.host.count("beep 500 200"), 2);

    rig.grammar.calls.clear();
    rig.stores.safariPlist = rig.dir / "missing.plist";
    search.searchBookmarks("KELVO");
    EXPECT_EQ(rig.state.bookmarkSearchPending, "false");
    EXPECT_EQ(rig.grammar.calls, (std::vector<std::string>{"dictation off", "rules on"}));
    ASSERT_EQ(rig.host.opened,
              (std::vector<std::string>{(rig.dir / "data/bookmark_results.html").string()}));
    EXPECT_TRUE(rig.errors.reports.empty());
    EXPECT_EQ(rig.logged.size(), 1u);

    const pugi::xml_document page = rig.page();
    EXPECT_EQ(texts(page, "//strong[@name='searchtitle']"),
              std::vector<std::string>{"Results For 'kelvo'"});
    EXPECT_EQ(
        texts(page, "//td[@class='browsertitle']"),
        (std::vector<std::string>{"Internet Explorer Search Results", "Safari Search Results"}));
    EXPECT_EQ(texts(page, "//a"), std::vector<std::string>{"Kelvo News"});
    EXPECT_EQ(std::string(page.select_node("//a").node().attribute("href").value()),
              "http://news.example/?a=1&b=\"2\"");
    // Firefox is not there: its line ends Internet Explorer's table.
    EXPECT_EQ(texts(page, "//td[starts-with(., 'Sorry')]"),
              (std::vector<std::string>{"Sorry, no results found for Firefox",
                                        "Sorry, no results found for Safari"}));

    search.searchBookmarks("another phrase");
    EXPECT_EQ(rig.host.opened.size(), 1u);
}

TEST(BookmarkSearch, ArmingAgainReadsTheStoresOnlyWhenOneChanged) {
    SearchRig rig;
    rig.stores.favoritesFolder.reset();
    rig.stores.firefoxFolder = rig.dir / "firefox";
    fs::create_directories(rig.dir / "firefox/p.default");
    std::ofstream(rig.dir / "firefox/profiles.ini") << "[Profile0]\nIsRelative=1\nPath=p.default\n";
    const fs::path exported = rig.dir / "firefox/p.default/bookmarks.html";
    auto write = [&](const char* title) {
        std::ofstream(exported) << "<DL><p><DT><A HREF=\"https://a.example/\">" << title
                                << "</A></DL>\n";
    };
    write("Alpha Title");
    BookmarkSearch search = rig.search();
    search.searchBookmarks("search bookmarks");

    // Same size, same time: the titles come from memory.
    const auto written = fs::last_write_time(exported);
    write("Bravo Title");
    fs::last_write_time(exported, written);
    search.searchBookmarks("search bookmarks");
    write("Charlie Title");
    search.searchBookmarks("search bookmarks");

    std::vector<std::string> loads;
    for (const std::string& call : rig.grammar.calls) {
        if (call.starts_with("load '' with ")) {
            loads.push_back(call.substr(13));
        }
    }
    EXPECT_EQ(loads, (std::vector<std::string>{"Alpha Title", "Alpha Title", "Charlie Title"}));
}

TEST(BookmarkSearch, TitlesAndAddressesStayText) {
    bookmarks::BrowserResults ie{"Internet Explorer",
                                 true,
                                 {{"Evil <b>", "javascript:alert('<b>')"},
                                  {"", "https://untitled.example/"},
                                  {"<script>x</script>", "FILE:///home/me/a&b.html"}}};
    const auto page = bookmarks::buildResultsPage(
        *readWholeFile(fs::path(KELVO_RESOURCES_DIR) / "bookmarks_template.html"), "<I>", {ie});
    ASSERT_TRUE(page.ok());
    EXPECT_EQ(page->find("<b>"), std::string::npos);
    EXPECT_EQ(page->find("<script>"), std::string::npos);
    EXPECT_EQ(page->find("<I>"), std::string::npos);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(page->c_str()));
    EXPECT_EQ(texts(document, "//a"),
              (std::vector<std::string>{"https://untitled.example/", "<script>x</script>"}));
    EXPECT_EQ(document.select_nodes("//a[starts-with(@href, 'javascript')]").size(), 0u);
    EXPECT_EQ(texts(document, "//td[not(a)][not(@class)][not(@name)]"),
              std::vector<std::string>{"Evil <b>"});
}

TEST(BookmarkSearch, ASleepOrAReleasedEngineDuringTheBeepLeavesNothingArmed) {
    for (const bool released : {false, true}) {
        SearchRig rig;
        BookmarkSearch search = rig.search();
        // What sleep, wake and a new or released engine do through the
        // program's forgetting of pending steps.
        rig.app.during = [&] {
            search.forgetPending();
            if (released) {
                rig.host.grammarObject = nullptr;
            }
        };
        search.searchBookmarks("search bookmarks");
        EXPECT_EQ(rig.state.bookmarkSearchPending, "false") << released;
        EXPECT_EQ(std::count(rig.grammar.calls.begin(), rig.grammar.calls.end(), "dictation on"), 0)
            << released;
        EXPECT_TRUE(rig.errors.reports.empty()) << released;
    }
}

TEST(BookmarkSearch, AnyFailureLeavesNothingPendingAndCommandsListening) {
    struct Case {
        const char* failing; // grammar call that fails, or "" for the template
        const char* said;
    } cases[] = {
        {"load ''", "search bookmarks"}, {"dictation on", "search bookmarks"}, {"", "kelvo"}};
    for (const Case& c : cases) {
        SearchRig rig;
        BookmarkSearch search = rig.search();
        if (*c.failing == '\0') {
            search.searchBookmarks("search bookmarks");
            fs::remove(rig.dir / "program/bookmarks_template.html");
            rig.grammar.calls.clear();
        }
        rig.grammar.failing = c.failing;
        search.searchBookmarks(c.said);
        EXPECT_EQ(rig.state.bookmarkSearchPending, "false") << c.failing;
        ASSERT_GE(rig.grammar.calls.size(), 2u);
        EXPECT_EQ(rig.grammar.calls.back(), "rules on") << c.failing;
        EXPECT_EQ(rig.errors.reports.size(), 1u) << c.failing;
        EXPECT_TRUE(rig.host.opened.empty());
    }
    SearchRig stopped;
    stopped.host.grammarObject = nullptr;
    stopped.search().searchBookmarks("search bookmarks");
    EXPECT_EQ(stopped.state.bookmarkSearchPending, "false");
    EXPECT_EQ(stopped.errors.reports.size(), 1u);
}

} // namespace
} // namespace kelvo
