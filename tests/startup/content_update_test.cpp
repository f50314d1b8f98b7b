#include "startup/content_update.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_conflicts_notice_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_http_client.h"
#include "fakes/fake_update_notices.h"
#include "fakes/startup_reply_text.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "services/date_parsing.h"
#include "services/hex_coding.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using fakes::FakeHttpClient;

constexpr const char* kGrammar = "<Grammar LANGID=\"409\"><RULE NAME=\"a\" TOPLEVEL=\"ACTIVE\">"
                                 "<P>go google</P></RULE></Grammar>";
constexpr const char* kOldCatalogue = "<commands></commands>";

std::string catalogueWith(const std::string& phrase) {
    const std::string hex = stringToHex(phrase);
    return "<commands><c d=\"" + hex + "\" c2=\"31\" c1=\"31\" u=\"" +
           stringToHex("https://example.test") + "\">" + hex + "</c></commands>";
}

struct UpdateRig {
    UpdateRig() {
        (void)writeFileAtomically(files.grammar(), kGrammar);
        (void)writeFileAtomically(files.catalogue(), kOldCatalogue);
        (void)writeFileAtomically(files.customStore(),
                                  "<cset><c d=\"open notes\" u=\"http://n.test\">open notes</c>"
                                  "</cset>");
        exchange.reply = parseStartupReply(fakes::startupReplyText(replyFields)).value();
        exchange.replyOk = true;
    }

    void run() {
        ContentUpdate update({exchange, settings, http, files, "http://127.0.0.1:9/", window,
                              control, errors, conflicts, newVersion, clock});
        update.run();
    }

    std::string file(const fs::path& path) {
        auto text = readWholeFile(path);
        return text ? *text : "(none)";
    }

    // Sixteen "nothing for this key" answers for the pictures.
    void nothingForThePictures() {
        for (int i = 0; i < 16; ++i) {
            http.outcomes.push_back(FakeHttpClient::answer("-11111"));
        }
    }

    fakes::TempDir dir;
    CatalogueFiles files{dir.path(), dir.path() / "docs"};
    fakes::FakeErrorSink errors;
    SettingsFile settings{dir / "mouse.ini", errors};
    std::map<size_t, std::string> replyFields{
        {6, "1"}, {10, "local"}, {14, "2.10"}, {3, "Get it"}, {4, "http://new.test/"}};
    ExchangeState exchange;
    FakeHttpClient http;
    fakes::FakeUpdateWindowView view;
    UpdateWindowLogic window{view};
    fakes::FakeAppControl control;
    fakes::FakeConflictsNoticePort conflicts;
    fakes::FakeUpgradeNoticePort newVersion;
    fakes::FakeClock clock;
};

TEST(ContentUpdateTest, NewCommandFilesArriveAndTheClashingCustomCommandIsRenamed) {
    UpdateRig r;
    r.http.outcomes.push_back(FakeHttpClient::answer(kGrammar));
    r.http.outcomes.push_back(FakeHttpClient::answer(catalogueWith("open notes")));
    r.nothingForThePictures();
    r.run();
    EXPECT_TRUE(r.errors.reports.empty());
    ASSERT_EQ(r.http.posts.size(), 18u);
    EXPECT_EQ(r.http.posts[0].address, "http://127.0.0.1:9/admin/downloadupdate.aspx");
    EXPECT_NE(r.http.posts[0].formText.find("&type=grammarxml&"), std::string::npos);
    EXPECT_NE(r.http.posts[1].formText.find("&type=corewebcomm&"), std::string::npos);
    EXPECT_EQ(r.http.posts[2].address, "http://127.0.0.1:9/admin/downloadupdate_other.aspx");
    EXPECT_EQ(r.http.posts[2].formText.find("&city="), std::string::npos);
    EXPECT_EQ(r.file(r.files.catalogue()), catalogueWith("open notes"));
    EXPECT_NE(r.file(r.files.customStore()).find(">my open notes</c>"), std::string::npos);
    ASSERT_EQ(r.conflicts.shown.size(), 1u);
    EXPECT_NE(r.conflicts.shown[0].find("\n  open notes is now => 'my open notes'"),
              std::string::npos);
    EXPECT_EQ(tryParseDateTime(r.settings.readIni("Etowah", "CmdFileDate", "", 50)).value(),
              r.exchange.reply.cmdFileDate);
    EXPECT_EQ(r.settings.readIni("Etowah", "Last", "", 25), stringToHex("3/7/2009"));
    EXPECT_EQ(r.settings.readIni("Cpn", "Cp1", "", 150), stringToHex("1|local"));
    EXPECT_EQ(r.settings.readIni("Cpn", "Cp2", "", 150), stringToHex("0|#"));
    // A 6-byte answer is "nothing for this key": no file, no date.
    EXPECT_FALSE(fs::exists(r.dir / "coupon1.gif"));
    EXPECT_FALSE(r.settings.hasKey("Etowah", "coupon1"));
    EXPECT_EQ(r.newVersion.shown, std::vector<std::string>{"Get it|http://new.test/"});
    EXPECT_EQ(r.view.calls,
              (std::vector<std::string>{
                  "show", "message Connecting....", "progress 10", "message Checking For Updates",
                  "message Downloading Updates For kelvo.  Please Wait...", "progress 20",
                  "progress 50", "progress 60", "progress 70", "progress 80", "progress 90",
                  "message Update Complete", "progress 100"}));
}

// Whatever comes instead of a good grammar or catalogue, both old files
// stay and the date is not stamped, so the next update asks again.
TEST(ContentUpdateTest, AnythingButTwoGoodFilesKeepsTheOldOnes) {
    const struct {
        const char* why;
        HttpReply grammar;
        HttpReply catalogue;
    } cases[] = {
        {"error page", FakeHttpClient::answer("<html><body>500</body></html>"),
         FakeHttpClient::answer(catalogueWith("x"))},
        {"wrong root", FakeHttpClient::answer("<commands/>"),
         FakeHttpClient::answer(catalogueWith("x"))},
        {"empty body", FakeHttpClient::answer(""), FakeHttpClient::answer(catalogueWith("x"))},
        {"server error", FakeHttpClient::failed(500), FakeHttpClient::answer(catalogueWith("x"))},
        {"cut catalogue", FakeHttpClient::answer(kGrammar), FakeHttpClient::answer("<commands><c")},
        {"page for catalogue", FakeHttpClient::answer(kGrammar), FakeHttpClient::answer("<html>")},
    };
    for (const auto& c : cases) {
        UpdateRig r;
        r.http.outcomes.push_back(c.grammar);
        r.http.outcomes.push_back(c.catalogue);
        r.http.outcomes.push_back(FakeHttpClient::answer("<html><body>none</body></html>"));
        r.run();
        EXPECT_EQ(r.file(r.files.grammar()), kGrammar) << c.why;
        EXPECT_EQ(r.file(r.files.catalogue()), kOldCatalogue) << c.why;
        EXPECT_FALSE(r.settings.hasKey("Etowah", "CmdFileDate")) << c.why;
        EXPECT_FALSE(fs::exists(r.files.grammar().string() + ".update")) << c.why;
        // An error page with a success status is no picture either.
        EXPECT_FALSE(fs::exists(r.dir / "splash.swf")) << c.why;
        EXPECT_TRUE(r.conflicts.shown.empty()) << c.why;
    }
}

TEST(ContentUpdateTest, EqualDatesSkipRequestsAndAnUnreachableServiceIsAskedOnce) {
    UpdateRig r;
    const StartupReply& reply = r.exchange.reply;
    r.settings.writeIni("Etowah", "CmdFileDate", dateTimeText(reply.cmdFileDate));
    r.settings.writeIni("Etowah", "CmdFileDateClient", dateTimeText(reply.cmdFileDateClient));
    for (const ReplyFileDate& picture : reply.otherFiles) {
        if (picture.key != "coupon2") {
            r.settings.writeIni("Etowah", picture.key, dateTimeText(picture.serverDate));
        }
    }
    r.http.outcomes.push_back(FakeHttpClient::answer("GIF89a coupon"));
    r.run();
    ASSERT_EQ(r.http.posts.size(), 1u);
    EXPECT_NE(r.http.posts[0].formText.find("type=coupon2"), std::string::npos);
    EXPECT_EQ(r.file(r.dir / "coupon2.gif"), "GIF89a coupon");
    EXPECT_EQ(tryParseDateTime(r.settings.readIni("Etowah", "coupon2", "", 50)).value(),
              reply.otherFiles[9].serverDate);

    UpdateRig down;
    down.http.outcomes.push_back(FakeHttpClient::unreachable());
    down.run();
    EXPECT_EQ(down.http.posts.size(), 1u);
    EXPECT_EQ(down.file(down.files.grammar()), kGrammar);
    EXPECT_TRUE(down.errors.reports.empty());
}

// The service drops after the command files: the update says it failed and
// leaves Last unstamped, so the next close-down tries again.
TEST(ContentUpdateTest, AServiceThatDropsPartWayIsAFailedUpdate) {
    UpdateRig r;
    r.http.outcomes.push_back(FakeHttpClient::answer(kGrammar));
    r.http.outcomes.push_back(FakeHttpClient::answer(catalogueWith("x")));
    r.http.outcomes.push_back(FakeHttpClient::answer("-11111"));
    r.http.outcomes.push_back(FakeHttpClient::unreachable());
    r.run();
    EXPECT_EQ(r.http.posts.size(), 4u);
    EXPECT_FALSE(r.settings.hasKey("Etowah", "Last"));
    ASSERT_FALSE(r.view.calls.empty());
    EXPECT_EQ(r.view.calls.back(), "message Update Failed - the update service could not be "
                                   "reached.  kelvo will try again at the next close.");
}

// Any file the update meant to fetch and did not, refused, cut or refused
// by the disk, fails it: Last stays, the window says so, and nothing goes to
// the error window. The service's "nothing for you" is no failure.
TEST(ContentUpdateTest, AFileNotFetchedOrNotSavedIsAFailedUpdate) {
    const std::string complete = "Update Complete";
    const std::string notSent = "Update Failed - the update service did not send every file.  "
                                "kelvo will try again at the next close.";
    const std::string notSaved = "Update Failed - a new file could not be saved in the kelvo "
                                 "folder.  kelvo will try again at the next close.";
    const struct {
        const char* why;
        std::vector<HttpReply> answers; // the grammar, the catalogue, the splash
        const char* inTheWay;           // a folder where a file must go
        const std::string& message;
        bool commandFilesIn = false;
    } cases[] = {
        {"nothing new",
         {FakeHttpClient::answer("<html>none</html>"), FakeHttpClient::answer("<html>none</html>")},
         nullptr,
         complete},
        {"refused picture",
         {FakeHttpClient::answer(kGrammar), FakeHttpClient::answer(catalogueWith("x")),
          FakeHttpClient::failed(503)},
         nullptr,
         notSent,
         true},
        {"cut catalogue",
         {FakeHttpClient::answer(kGrammar), FakeHttpClient::answer("<commands><c")},
         nullptr,
         notSent},
        {"picture not saved",
         {FakeHttpClient::answer("<html>none</html>"), FakeHttpClient::answer("<html>none</html>"),
          FakeHttpClient::answer("GIF89a splash")},
         "splash.swf",
         notSaved},
        {"grammar not saved",
         {FakeHttpClient::answer(kGrammar), FakeHttpClient::answer(catalogueWith("x"))},
         "en_CLICK.XML.update",
         notSaved},
        {"grammar not replaced",
         {FakeHttpClient::answer(kGrammar), FakeHttpClient::answer(catalogueWith("x"))},
         "en_CLICK.XML",
         notSaved},
    };
    for (const auto& c : cases) {
        UpdateRig r;
        if (c.inTheWay != nullptr) {
            fs::remove(r.dir / c.inTheWay);
            ASSERT_TRUE(writeFileAtomically(r.dir / c.inTheWay / "kept", "kept").ok());
        }
        for (const HttpReply& answer : c.answers) {
            r.http.outcomes.push_back(answer);
        }
        while (r.http.outcomes.size() < 18) {
            r.http.outcomes.push_back(FakeHttpClient::answer("-11111"));
        }
        r.run();
        EXPECT_EQ(r.http.posts.size(), 18u) << c.why;
        std::string message;
        for (const std::string& call : r.view.calls) {
            if (call.starts_with("message ")) {
                message = call.substr(8);
            }
        }
        EXPECT_EQ(message, c.message) << c.why;
        EXPECT_EQ(r.settings.hasKey("Etowah", "Last"), &c.message == &complete) << c.why;
        EXPECT_EQ(r.settings.hasKey("Etowah", "CmdFileDate"), c.commandFilesIn) << c.why;
        EXPECT_TRUE(r.errors.reports.empty()) << c.why;
    }
}

TEST(ContentUpdateTest, VersionsCompareAsNumbers) {
    const struct {
        const char* server;
        bool newer;
    } cases[] = {{"2.7", false}, {"2.8", true},  {"2.10", true},      {"2.7.0", false},
                 {"2.6", false}, {"3", true},    {"10.0", true},      {"", false},
                 {"abc", false}, {"2.x", false}, {"2.8 beta", false}, {"-3", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(isNewerVersion(c.server), c.newer) << c.server;
    }
}

TEST(ContentUpdateTest, DueAfterMoreThanTheIntervalOrWithoutAStamp) {
    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    SettingsFile settings{dir / "mouse.ini", errors};
    using namespace std::chrono;
    const year_month_day today = 2026y / December / 9d;
    const struct {
        const char* last;
        const char* days;
        bool due;
    } cases[] = {{"x", "7", true},          {"12/2/2026", "7", false}, {"12/1/2026", "7", true},
                 {"12/9/2026", "0", false}, {"12/8/2026", "0", true},  {"12/8/2026", "abc", true},
                 {"not a date", "7", true}};
    for (const auto& c : cases) {
        settings.writeIni("Etowah", "Last", std::string(c.last) == "x" ? "x" : stringToHex(c.last));
        settings.writeIni("Etowah", "Days", c.days);
        EXPECT_EQ(isContentUpdateDue(settings, today), c.due) << c.last << " " << c.days;
    }
}

} // namespace
} // namespace kelvo
