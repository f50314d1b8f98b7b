#include "speech/feedback.h"

#include "fakes/fake_error_sink.h"
#include "fakes/fake_feedback_port.h"
#include "fakes/temp_dir.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

/// A text of `length` letters with blanks at the given 1-based positions.
std::string withBlanksAt(std::size_t length, std::initializer_list<std::size_t> blanks) {
    std::string text(length, 'a');
    for (auto position : blanks)
        text[position - 1] = ' ';
    return text;
}

TEST(Feedback, ShorteningTable) {
    const struct {
        const char* name;
        std::string text;
        std::string shown;
    } cases[] = {
        {"44 characters are shown whole", withBlanksAt(44, {5, 20, 43}),
         withBlanksAt(44, {5, 20, 43})},
        {"45 characters are cut at the last blank", withBlanksAt(45, {5, 20, 44}),
         withBlanksAt(19, {5}) + "..."},
        {"57 characters, blanks to position 54",
         withBlanksAt(57, {2, 7, 10, 15, 19, 24, 27, 30, 40, 46, 54}),
         withBlanksAt(39, {2, 7, 10, 15, 19, 24, 27, 30}) + "..."},
        {"blank at 42 keeps 41", withBlanksAt(50, {42}), std::string(41, 'a') + "..."},
        {"blank at 43 is too late", withBlanksAt(50, {10, 43}), withBlanksAt(9, {}) + "..."},
        {"no blank in the first 42", withBlanksAt(60, {43, 50}), std::string(42, 'a') + "..."},
        {"no blank at all", std::string(45, 'x'), std::string(42, 'x') + "..."},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(shortenFeedback(c.text), c.shown);
    }
}

TEST(Feedback, CountsCharactersNotBytes) {
    // 44 characters, 88 bytes: shown whole.
    std::string text;
    for (int i = 0; i < 44; ++i)
        text += "\xC3\xA9";
    EXPECT_EQ(shortenFeedback(text), text);
    text += "\xC3\xA9";
    const auto shown = shortenFeedback(text);
    EXPECT_EQ(shown.size(), 42u * 2 + 3);
}

TEST(Feedback, GiveFeedbackShowsLineBalloonAndTrayAndShortensTheCallersText) {
    fakes::FakeFeedbackPort port;
    std::string text = withBlanksAt(45, {5, 20, 44});
    giveFeedback(text, port);
    const std::string shown = withBlanksAt(19, {5}) + "...";
    EXPECT_EQ(text, shown);
    EXPECT_EQ(port.calls,
              (std::vector<std::string>{"feedback I Heard: " + shown, "balloon I Heard|" + shown,
                                        "tray listening|Kelvo Is Listening"}));
}

TEST(Feedback, TooManyTabsWarnsInABalloonAndLeavesTheTrayShowingTheState) {
    // Asleep: the warning follows every page opened, help pages included.
    fakes::FakeFeedbackPort port;
    port.setTrayIcon(TrayIconKind::Asleep, kNotListeningTip);
    port.calls.clear();
    giveFeedbackTooManyTabs("You have 12 windows open", port);
    EXPECT_EQ(
        port.calls,
        (std::vector<std::string>{
            "balloon Too Many Browser Tabs Or Browser Windows Open|You have 12 windows open"}));
    EXPECT_EQ(port.trayIcon, TrayIconKind::Asleep);
}

TEST(Feedback, LocationIsRememberedWholeAndShownShort) {
    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    SettingsFile settings(dir / "mouse.ini", errors);
    fakes::FakeFeedbackPort port;

    std::string first(34, 'b');
    giveLocationFeedback(first, settings, port);
    EXPECT_EQ(first, std::string(34, 'b'));
    EXPECT_EQ(port.locationText, "Current Location: " + std::string(34, 'b'));
    EXPECT_EQ(settings.readIni("Lobuteha", "last", "", 150), "abc");

    std::string second(35, 'c');
    giveLocationFeedback(second, settings, port);
    EXPECT_EQ(second, std::string(32, 'c') + "...");
    EXPECT_EQ(port.locationText, "Current Location: " + std::string(32, 'c') + "...");
    EXPECT_EQ(settings.readIni("Lobuteha", "location", "", 150), std::string(35, 'c'));
    EXPECT_EQ(settings.readIni("Lobuteha", "last", "", 150), std::string(34, 'b'));
}

} // namespace
} // namespace kelvo
