#include "startup/startup_reply.h"

#include "fakes/fake_error_sink.h"
#include "fakes/startup_reply_text.h"
#include "fakes/temp_dir.h"
#include "services/date_parsing.h"
#include "services/hex_coding.h"
#include "services/text_crypto.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

using fakes::startupReplyText;

// Replies that must count as no reply at all, or be refused whole: nothing
// of them may reach the settings.
TEST(StartupReplyTest, RefusesWhatIsNoGoodReply) {
    const struct {
        const char* why;
        std::string text;
    } bad[] = {
        {"empty", ""},
        {"error page", "<html><body>Server Error</body></html>"},
        {"nothing for us", "-11111" + startupReplyText().substr(6)},
        {"one field short", startupReplyText({}, 41)},
        {"bad state", startupReplyText({{0, "00x1"}})},
        {"bad survey date", startupReplyText({{1, "2026-12-01"}})},
        {"days no number", startupReplyText({{5, "seven"}})},
        {"days too long", startupReplyText({{5, "12345"}})},
        {"picture date", startupReplyText({{26, "soon"}})},
        {"command file date", startupReplyText({{15, ""}})},
        {"server on disk", startupReplyText({{38, "file:///etc/passwd"}})},
        {"no server", startupReplyText({{38, ""}})},
        {"program as link", startupReplyText({{4, "/usr/bin/xterm"}})},
        {"coupon program", startupReplyText({{11, "file:/bin/sh"}})},
        {"bookmark service", startupReplyText({{41, "javascript:alert(1)"}})},
        {"blank in address", startupReplyText({{38, "http://a b/"}})},
        {"login switch", startupReplyText({{39, "yes"}})},
    };
    for (const auto& c : bad) {
        EXPECT_FALSE(parseStartupReply(c.text).ok()) << c.why;
    }
    EXPECT_FALSE(isUsableReply("-11111"));
    EXPECT_TRUE(isUsableReply("0000|x"));
}

TEST(StartupReplyTest, ReadsTheFieldsOfAGoodReply) {
    auto reply = parseStartupReply(startupReplyText({{3, "New version"},
                                                     {4, "https://example.test/new"},
                                                     {14, "2.10"},
                                                     {30, "12/2/2026 1:02:03 PM"},
                                                     {34, ""},
                                                     {41, "http://b.test/u/pass"}}) +
                                   "\r\n");
    ASSERT_TRUE(reply.ok()) << reply.error().message();
    EXPECT_EQ(reply->upgradeMessage, "New version");
    EXPECT_EQ(reply->serverVersion, "2.10");
    EXPECT_EQ(reply->adPane[0].showFlag, "1");
    EXPECT_EQ(reply->adPane[0].location, "local");
    EXPECT_EQ(reply->otherFiles[0].key, "splash");
    EXPECT_EQ(reply->otherFiles[0].serverDate, tryParseDateTime("12/2/2026 13:02:03").value());
    EXPECT_EQ(reply->otherFiles[15].file, "coupon4.gif");
    EXPECT_EQ(reply->bookmarkTemplate, "http://b.test/u/pass");
}

class TakeInTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    SettingsFile settings{dir / "mouse.ini", errors};

    void takeIn(const std::string& text) {
        auto reply = parseStartupReply(text);
        ASSERT_TRUE(reply.ok()) << reply.error().message();
        takeInStartupReply(*reply, settings);
    }
};

TEST_F(TakeInTest, StoresWhatTheReplySets) {
    settings.writeIni("Etowah", "s", "x");
    settings.writeIni("Flatrock", "l", "x");
    takeIn(startupReplyText({{0, "0011"},
                             {1, "12/3/2026"},
                             {5, "14"},
                             {38, "http://new.test/"},
                             {39, "1"},
                             {41, "http://b.test/user/pass"}}));
    EXPECT_EQ(settings.readIni("Yazoo", "Date", "", 30), "12/3/2026");
    EXPECT_EQ(settings.readIni("Yazoo", "Last", "", 30), "0011");
    EXPECT_EQ(settings.readIni("Etowah", "Days", "", 5), "14");
    EXPECT_EQ(settings.readIni("Flatrock", "l", "", 10), stringToHex("1"));
    EXPECT_EQ(settings.readIni("Etowah", "delaware", "", 150),
              stringToHex("http://b.test/user/pass"));
    // "x" means no address yet: the reply's is stored, encrypted.
    const std::string stored = settings.readIni("Etowah", "s", "x", 300);
    EXPECT_NE(stored, "http://new.test/");
    EXPECT_EQ(tryDecryptText(stored, kServerAddressPassphrase).value(), "http://new.test/");
}

TEST_F(TakeInTest, StateZeroLeavesTheQuestionnaireAndSameAddressIsNotRewritten) {
    settings.writeIni("Yazoo", "Date", "1/1/2020");
    settings.writeIni("Yazoo", "Last", "Second");
    const std::string address =
        tryEncryptText("http://127.0.0.1:1/", kServerAddressPassphrase).value();
    settings.writeIni("Etowah", "s", address);
    takeIn(startupReplyText({{0, "0000"}, {1, "garbage"}}));
    EXPECT_EQ(settings.readIni("Yazoo", "Date", "", 30), "1/1/2020");
    EXPECT_EQ(settings.readIni("Yazoo", "Last", "", 30), "Second");
    // Encryption differs on every call, so a rewrite would show.
    EXPECT_EQ(settings.readIni("Etowah", "s", "x", 300), address);
}

} // namespace
} // namespace kelvo
