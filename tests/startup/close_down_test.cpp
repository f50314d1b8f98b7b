#include "startup/close_down.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_conflicts_notice_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_http_client.h"
#include "fakes/fake_update_notices.h"
#include "fakes/startup_reply_text.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "speech/session_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace kelvo {
namespace {

constexpr const char* kStore = "<cset><c d=\"open notes\" u=\"x\">open notes</c></cset>";

struct CloseDownRig {
    CloseDownRig() {
        app.startup.dataFolder = dir.path() / "data";
        app.startup.myDocumentsFolder = dir.path() / "docs";
        std::filesystem::create_directories(app.startup.dataFolder);
        std::filesystem::create_directories(app.startup.myDocumentsFolder);
        app.startup.startTime = clock.now();
        clock.advance(std::chrono::seconds(150));
        (void)writeFileAtomically(app.startup.dataFolder / "en_CLICK.XML",
                                  "<Grammar LANGID=\"409\"><RULE NAME=\"open google\" "
                                  "TOPLEVEL=\"ACTIVE\"><P>open google</P></RULE></Grammar>");
        (void)writeFileAtomically(app.startup.dataFolder / "commands_customfree.xml", kStore);
    }

    CloseDownReleases releases() {
        return {[this] { order.push_back("speech"); },
                [this] { order.push_back("tray"); },
                [this] { order.push_back("pages"); },
                [this] { order.push_back("report"); },
                [this] { order.push_back("windows"); },
                [this](bool busy) { order.push_back(busy ? "busy" : "normal"); }};
    }

    std::string data(const char* name) {
        auto text = readWholeFile(app.startup.dataFolder / name);
        return text ? text.value() : std::string();
    }

    fakes::TempDir dir;
    AppState app;
    fakes::FakeAppControl control;
    fakes::FakeErrorSink errors;
    fakes::FakeClock clock;
    std::vector<std::string> order;
};

TEST(CloseDown, ReleasesThenSavesTheStoreTheGrammarAndTheSession) {
    CloseDownRig r;
    CloseDown closeDown(r.app, r.control, r.errors, r.clock, r.releases());
    closeDown.shutdownProcess();
    EXPECT_EQ(r.order, (std::vector<std::string>{"report", "speech", "tray", "windows", "pages",
                                                 "busy", "normal"}));
    EXPECT_EQ(r.control.calls, std::vector<std::string>{"pump"});
    EXPECT_TRUE(r.errors.reports.empty());
    EXPECT_EQ(readWholeFile(r.app.startup.myDocumentsFolder / "commands_customfree.xml").value(),
              kStore);
    EXPECT_NE(r.data("en_CLICK.XML").find("NAME=\"open notes\""), std::string::npos);
    const std::string log = r.data(kSessionLogFile);
    EXPECT_EQ(log.front(), '"');
    EXPECT_EQ(log.substr(log.size() - 3), "\"\r\n");
}

TEST(CloseDown, RunsOnceWhateverRoadReachesIt) {
    CloseDownRig r;
    CloseDown closeDown(r.app, r.control, r.errors, r.clock, r.releases());
    closeDown.shutdownProcess();
    const std::string log = r.data(kSessionLogFile);
    closeDown.shutdownProcess();
    EXPECT_TRUE(closeDown.ran());
    EXPECT_EQ(r.order.size(), 7u);
    EXPECT_EQ(r.data(kSessionLogFile), log);
}

TEST(CloseDown, BeforeTheFoldersAreKnownNothingIsWritten) {
    CloseDownRig r;
    const auto data = r.app.startup.dataFolder;
    r.app.startup.dataFolder.clear();
    CloseDown closeDown(r.app, r.control, r.errors, r.clock, {});
    closeDown.shutdownProcess();
    EXPECT_FALSE(std::filesystem::exists(data / kSessionLogFile));
    EXPECT_FALSE(
        std::filesystem::exists(r.app.startup.myDocumentsFolder / "commands_customfree.xml"));
    EXPECT_TRUE(r.errors.reports.empty());
}

TEST(CloseDown, BrokenStoreKeepsTheBackupAndTheGrammarAndStillLogsTheSession) {
    CloseDownRig r;
    const std::string grammar = r.data("en_CLICK.XML");
    (void)writeFileAtomically(r.app.startup.myDocumentsFolder / "commands_customfree.xml", kStore);
    (void)writeFileAtomically(r.app.startup.dataFolder / "commands_customfree.xml", "<cset><c>");
    CloseDown closeDown(r.app, r.control, r.errors, r.clock, r.releases());
    closeDown.shutdownProcess();
    EXPECT_FALSE(r.errors.reports.empty());
    EXPECT_EQ(readWholeFile(r.app.startup.myDocumentsFolder / "commands_customfree.xml").value(),
              kStore);
    EXPECT_EQ(r.data("en_CLICK.XML"), grammar);
    EXPECT_FALSE(r.data(kSessionLogFile).empty());
}

TEST(CloseDown, SessionLogThatCannotBeWrittenIsReportedWithTheCloseDownCode) {
    CloseDownRig r;
    // A folder where the log file should be: it can't be replaced.
    std::filesystem::create_directories(r.app.startup.dataFolder / kSessionLogFile / "x");
    CloseDown closeDown(r.app, r.control, r.errors, r.clock, r.releases());
    closeDown.shutdownProcess();
    ASSERT_FALSE(r.errors.reports.empty());
    EXPECT_EQ(r.errors.reports.back().location, kCloseDownLocation);
}

// A quit that arrives while the close-down lets events run is the same
// close-down: it must not start a second one.
TEST(CloseDown, AQuitFromInsideTheStepsDoesNothing) {
    struct ReenteringControl : fakes::FakeAppControl {
        void pumpEvents() override {
            FakeAppControl::pumpEvents();
            if (closeDown != nullptr) {
                closeDown->shutdownProcess();
            }
        }
        CloseDown* closeDown = nullptr;
    };
    CloseDownRig r;
    ReenteringControl control;
    CloseDown closeDown(r.app, control, r.errors, r.clock, r.releases());
    control.closeDown = &closeDown;
    closeDown.shutdownProcess();
    EXPECT_EQ(r.order.size(), 7u);
    EXPECT_EQ(control.calls.size(), 1u);
}

// The service is gone by the time the program ends: the update is cut
// short, and the login pages, the backup, the merge and the session still
// come out right.
TEST(CloseDown, AFailedUpdateStillSavesEverything) {
    CloseDownRig r;
    fakes::FakeErrorSink quiet;
    SettingsFile settings(r.app.startup.dataFolder / "mouse.ini", quiet);
    settings.writeIni("Etowah", "Last", "x");
    r.app.exchange.reply = parseStartupReply(fakes::startupReplyText()).value();
    r.app.exchange.replyOk = true;
    fakes::FakeHttpClient http;
    http.outcomes.push_back(fakes::FakeHttpClient::unreachable());
    fakes::FakeUpdateWindowView view;
    UpdateWindowLogic window(view);
    fakes::FakeConflictsNoticePort conflicts;
    fakes::FakeUpgradeNoticePort newVersion;
    CloseDown closeDown(r.app, r.control, r.errors, r.clock, r.releases(),
                        CloseDownUpdate{[&settings] { return &settings; }, &http, &window,
                                        &conflicts, &newVersion});
    closeDown.shutdownProcess();
    EXPECT_EQ(http.posts.size(), 1u);
    EXPECT_EQ(view.calls.front(), "show");
    EXPECT_EQ(view.calls.back(), "close");
    EXPECT_EQ(std::count(r.order.begin(), r.order.end(), "pages"), 1);
    EXPECT_TRUE(r.errors.reports.empty());
    EXPECT_EQ(readWholeFile(r.app.startup.myDocumentsFolder / "commands_customfree.xml").value(),
              kStore);
    EXPECT_NE(r.data("en_CLICK.XML").find("NAME=\"open notes\""), std::string::npos);
    EXPECT_FALSE(r.data(kSessionLogFile).empty());

    // Without a usable reply nothing is asked at all.
    CloseDownRig noReply;
    fakes::FakeHttpClient unused;
    CloseDown quiet2(noReply.app, noReply.control, noReply.errors, noReply.clock,
                     noReply.releases(),
                     CloseDownUpdate{[&settings] { return &settings; }, &unused, &window,
                                     &conflicts, &newVersion});
    quiet2.shutdownProcess();
    EXPECT_TRUE(unused.posts.empty());
    EXPECT_FALSE(noReply.data(kSessionLogFile).empty());
}

} // namespace
} // namespace kelvo
