#include "speech/recognition_dispatcher.h"

#include "fakes/dispatch_rig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace kelvo {
namespace {

using fakes::DispatchRig;

class DispatcherTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.start()); }

    const fakes::FakeDialogPort::Shown* lastShown() const {
        return rig.dialogs.shown.empty() ? nullptr : &rig.dialogs.shown.back();
    }

    DispatchRig rig;
};

struct TabCase {
    const char* phrase;
    int recoType;
    const char* expectedCall; // empty: no tab selected
};

class TabPhrases : public DispatcherTest, public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabPhrases, SelectTheTaggedTab) {
    const TabCase& c = GetParam();
    rig.recognise(c.phrase, c.recoType);
    EXPECT_EQ(rig.host.count(c.expectedCall), std::string(c.expectedCall).empty() ? 0 : 1)
        << c.phrase;
    if (std::string(c.expectedCall).empty()) {
        EXPECT_EQ(rig.speech.commandCounter, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Tabs, TabPhrases,
                         ::testing::Values(TabCase{"go places tab", 0, "tab Places"},
                                           TabCase{"go place tab", 0, "tab Places"},
                                           // Text rows match whatever the recognition type.
                                           TabCase{"go place tab", 5, "tab Places"},
                                           TabCase{"go searches tab", 1, "tab Searches"},
                                           TabCase{"go bookmark tab", 0, "tab Bookmarks"},
                                           TabCase{"go basic tab", 0, "tab Basic"},
                                           // Key rows need a standard recognition and exact case.
                                           TabCase{"go basic tab", 3, ""},
                                           TabCase{"Go Basic Tab", 0, ""},
                                           TabCase{"go custom tab", 0, "tab Custom"}));

TEST_F(DispatcherTest, LoginSwitchOffCountsWithoutFeedbackOrLogin) {
    rig.recognise("login to facebook");
    EXPECT_EQ(rig.speech.commandCounter, 1);
    EXPECT_EQ(rig.feedback.feedbackText, "");
    EXPECT_TRUE(std::find(rig.interpreters.calls.begin(), rig.interpreters.calls.end(),
                          "login facebook") == rig.interpreters.calls.end());

    rig.state.myspaceLoginShown = true;
    rig.recognise("login to my space");
    EXPECT_EQ(rig.speech.commandCounter, 2);
    EXPECT_EQ(rig.feedback.feedbackText, "I Heard: login to myspace");
    EXPECT_EQ(rig.interpreters.calls.back(), "login myspace");
}

TEST_F(DispatcherTest, CloseWithTheTaskbarInFrontOnlyCountsAndEchoes) {
    rig.desktop.active = 0;
    rig.recognise("close");
    EXPECT_EQ(rig.speech.commandCounter, 1);
    EXPECT_EQ(rig.feedback.feedbackText, "I Heard: close");
    EXPECT_TRUE(rig.desktop.calls.empty());
    EXPECT_TRUE(rig.dialogs.shown.empty());

    rig.desktop.active = 9;
    rig.desktop.docks[9] = true;
    rig.recognise("close");
    EXPECT_TRUE(rig.desktop.calls.empty());
}

TEST_F(DispatcherTest, CloseSendsTheCloseToAnotherProgram) {
    rig.desktop.active = 5;
    rig.desktop.titles[5] = "Editor";
    rig.recognise("close");
    EXPECT_EQ(rig.desktop.calls, std::vector<std::string>{"close 5"});
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST_F(DispatcherTest, CloseOnTheOwnWindowAsksAndQuitsOnlyOnYes) {
    rig.desktop.active = 3;
    rig.desktop.titles[3] = "Kelvo";
    rig.recognise("close");
    EXPECT_TRUE(rig.desktop.calls.empty());
    ASSERT_NE(lastShown(), nullptr);
    EXPECT_EQ(lastShown()->kind, "modeless");
    EXPECT_EQ(lastShown()->title, "Quit kelvo?");
    EXPECT_EQ(lastShown()->message, "Are you sure you want to close kelvo?");
    EXPECT_TRUE(std::find(rig.app.calls.begin(), rig.app.calls.end(), "quit") ==
                rig.app.calls.end());
    rig.dialogs.answerModeless(BoxButton::Yes);
    EXPECT_TRUE(std::find(rig.app.calls.begin(), rig.app.calls.end(), "quit") !=
                rig.app.calls.end());
}

TEST_F(DispatcherTest, QuitAsksWithoutCounting) {
    rig.recognise("quit kelvee");
    EXPECT_EQ(rig.speech.commandCounter, 0);
    ASSERT_NE(lastShown(), nullptr);
    EXPECT_EQ(lastShown()->title, "Quit kelvo?");
    EXPECT_EQ(rig.host.count("reset"), 1);
}

TEST_F(DispatcherTest, UnsetPlaceShowsTheNoticeAndSettingsWithoutReload) {
    ASSERT_TRUE(rig.settings.writeIni("Lobuteha", "office", "x"));
    ASSERT_TRUE(rig.settings.writeIni("Lobuteha", "location", "Boston"));
    rig.recognise("select office location");
    ASSERT_NE(lastShown(), nullptr);
    EXPECT_EQ(lastShown()->kind, "notice");
    EXPECT_EQ(lastShown()->title, "'Office' needs to be set first");
    EXPECT_EQ(lastShown()->message, "");
    EXPECT_TRUE(lastShown()->modal);
    EXPECT_EQ(lastShown()->autoCloseMs, 4500);
    EXPECT_EQ(rig.windows.calls.back(), "show frmlocalsearchsettings");
    EXPECT_EQ(rig.settings.readIni("Lobuteha", "location", "abc", 150), "Boston");
    EXPECT_EQ(rig.host.count("reset"), 0);
    EXPECT_EQ(rig.speech.commandCounter, 1);
}

TEST_F(DispatcherTest, SetPlaceBecomesTheCurrentLocation) {
    ASSERT_TRUE(rig.settings.writeIni("Lobuteha", "home", "10 Main St"));
    rig.recognise("select home location");
    EXPECT_EQ(rig.state.currentLocation, "10 Main St");
    EXPECT_EQ(rig.settings.readIni("Lobuteha", "location", "abc", 150), "10 Main St");
    EXPECT_EQ(rig.feedback.locationText, "Current Location: 10 Main St");
    EXPECT_EQ(rig.host.count("reset"), 0);
}

struct ClickCase {
    const char* phrase;
    int handedness;
    std::vector<std::string> presses;
};

class ClickPhrases : public DispatcherTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ClickPhrases, PressTheButtonTheUserMeans) {
    rig.state.mouseHandedness = GetParam().handedness;
    rig.recognise(GetParam().phrase);
    EXPECT_EQ(rig.desktop.calls, GetParam().presses);
}

INSTANTIATE_TEST_SUITE_P(
    Mouse, ClickPhrases,
    ::testing::Values(ClickCase{"click", 1, {"down primary", "up primary"}},
                      ClickCase{"click", 2, {"down primary", "up primary"}},
                      ClickCase{"context menu", 1, {"down secondary", "up secondary"}},
                      // Left-handed: button 1 is the secondary one.
                      ClickCase{"context menu", 2, {"down secondary", "up secondary"}},
                      ClickCase{"context menu", 7, {}},
                      ClickCase{"double click",
                                2,
                                {"down primary", "up primary", "down primary", "up primary"}}));

TEST_F(DispatcherTest, WebcamWithoutAProgramShowsTheOptionsMessage) {
    rig.recognise("get webcam");
    ASSERT_NE(lastShown(), nullptr);
    EXPECT_EQ(lastShown()->title, "");
    EXPECT_EQ(lastShown()->message,
              "You must select a webcam/chat client first.  This can be done on the Options tab.");
    EXPECT_TRUE(rig.host.started.empty());
    EXPECT_TRUE(rig.host.opened.empty());
}

TEST_F(DispatcherTest, WebcamStartsTheChosenProgramWithItsArguments) {
    rig.state.sChatClient = "/bin/true --call";
    rig.state.sChatClientName = "Video calls";
    rig.recognise("get webcam");
    ASSERT_EQ(rig.host.started.size(), 1u);
    EXPECT_EQ(rig.host.started[0], (std::vector<std::string>{"/bin/true", "--call"}));

    rig.state.sChatClient = "/nowhere/chat";
    rig.recognise("get webcam");
    EXPECT_EQ(lastShown()->title, "Can't Open Program");
    EXPECT_EQ(lastShown()->message, "Unable to find Webcam/Chat Program on your computer");
    EXPECT_EQ(rig.host.started.size(), 1u);
}

TEST_F(DispatcherTest, MusicAcceptingEndsTheRoadButBookmarkSearchDoesNot) {
    rig.interpreters.musicTakes = "click";
    rig.recognise("click");
    EXPECT_TRUE(rig.desktop.calls.empty());
    EXPECT_EQ(rig.host.count("reset"), 1);
    EXPECT_EQ(rig.interpreters.calls, std::vector<std::string>{"music click"});

    rig.interpreters.musicTakes.clear();
    rig.interpreters.calls.clear();
    rig.recognise("click");
    EXPECT_EQ(rig.interpreters.calls,
              (std::vector<std::string>{"music click", "social click", "bookmarks click"}));
    EXPECT_EQ(rig.desktop.calls.size(), 2u);
}

TEST_F(DispatcherTest, SocialAcceptingEndsTheRoad) {
    rig.interpreters.socialTakes = "go basic tab";
    rig.recognise("go basic tab");
    EXPECT_EQ(rig.host.count("tab Basic"), 0);
    EXPECT_EQ(rig.host.count("reset"), 1);
}

TEST_F(DispatcherTest, DisplayAndConcealTheMainWindow) {
    rig.windows.load("mouse", false);
    rig.windows.load("frmabout");
    rig.recognise("display kelvee");
    EXPECT_EQ(rig.feedback.feedbackText, "I Heard: display kelvo");
    EXPECT_TRUE(rig.windows.shown("mouse"));
    EXPECT_FALSE(rig.windows.loaded("frmabout"));

    rig.windows.load("frmabout");
    rig.recognise("conceal kelvo");
    EXPECT_FALSE(rig.windows.shown("mouse"));
    EXPECT_FALSE(rig.windows.loaded("frmabout"));
}

TEST_F(DispatcherTest, HelpOpensTheShippedPages) {
    std::filesystem::create_directories(rig.dir.path() / "help");
    std::ofstream(rig.dir.path() / "help" / "index.html") << "<html></html>";
    std::ofstream(rig.dir.path() / "help" / "quickstart.html") << "<html></html>";
    rig.recognise("get help");
    rig.recognise("quickstart");
    EXPECT_EQ(rig.host.opened,
              (std::vector<std::string>{(rig.dir.path() / "help" / "index.html").string(),
                                        (rig.dir.path() / "help" / "quickstart.html").string()}));
}

TEST_F(DispatcherTest, MissingProgramGivesTheBox) {
    rig.recognise("go calculator");
    ASSERT_NE(lastShown(), nullptr);
    EXPECT_EQ(lastShown()->kind, "modeless");
    EXPECT_EQ(lastShown()->title, "Can't Open Program");
    EXPECT_EQ(lastShown()->message, "Unable to find Calculator on your computer");
    EXPECT_TRUE(rig.host.started.empty());
}

TEST_F(DispatcherTest, ProgramRowsStartTheConfiguredProgram) {
    ASSERT_TRUE(rig.settings.writeIni("Programs", "Calculator", "/bin/echo \"two words\""));
    rig.recognise("go calculator");
    ASSERT_EQ(rig.host.started.size(), 1u);
    EXPECT_EQ(rig.host.started[0], (std::vector<std::string>{"/bin/echo", "two words"}));

    rig.recognise("start menu");
    EXPECT_EQ(rig.desktop.calls, std::vector<std::string>{"key Super_L"});
}

TEST_F(DispatcherTest, WithoutADisplayTheDesktopActionsSayTheyAreUnavailable) {
    rig.desktop.available = false;
    rig.recognise("click");
    ASSERT_NE(lastShown(), nullptr);
    EXPECT_EQ(lastShown()->kind, "notice");
    EXPECT_EQ(lastShown()->title, "Mouse and window commands are unavailable");
    EXPECT_EQ(lastShown()->message, "no X display");
}

TEST_F(DispatcherTest, TheEleventhCountedCommandReloadsTheGrammars) {
    for (int i = 0; i < 10; ++i) {
        rig.recognise("go basic tab");
    }
    EXPECT_EQ(rig.reloads, 0);
    EXPECT_EQ(rig.speech.commandCounter, 10);
    rig.recognise("go basic tab");
    EXPECT_EQ(rig.reloads, 1);
    EXPECT_EQ(rig.speech.commandCounter, 0);
}

TEST_F(DispatcherTest, WakeAndSleepSwitchListeningWithoutReload) {
    rig.recognise("mute computer micro phone");
    rig.recognise("activate computer microphone", 2);
    EXPECT_EQ(rig.host.count("mute -1"), 1);
    EXPECT_EQ(rig.host.count("mute 1"), 1);
    EXPECT_EQ(rig.host.count("reset"), 0);
    EXPECT_EQ(rig.feedback.feedbackText, "I Heard: activate computer microphone");
}

} // namespace
} // namespace kelvo
