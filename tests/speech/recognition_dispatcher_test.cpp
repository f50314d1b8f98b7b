#include "speech/recognition_dispatcher.h"

#include "fakes/dispatch_rig.h"
#include "fakes/fake_tone_output.h"
#include "speech/sleep_wake.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <utility>

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

TEST_F(DispatcherTest, HelpThatCannotOpenSaysSoAndTheNextPhraseStillOpens) {
    rig.recognise("get help");
    std::filesystem::create_directories(rig.dir.path() / "help");
    std::ofstream(rig.dir.path() / "help" / "quickstart.html") << "<html></html>";
    rig.host.openResult = Status::failure(2, "no opener");
    rig.recognise("quickstart");
    rig.host.openResult = {};
    ASSERT_EQ(rig.dialogs.shown.size(), 2u);
    for (const auto& shown : rig.dialogs.shown) {
        EXPECT_EQ(shown.kind, "notice");
        EXPECT_EQ(shown.title, "Nothing was opened");
    }
    EXPECT_NE(rig.dialogs.shown[0].message.find("index.html is missing"), std::string::npos);
    rig.addRow({"open weather", "https://weather.example/", "1"});
    rig.recognise("open weather");
    EXPECT_EQ(rig.host.opened.back(), "https://weather.example/");
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
    // Said once a run, not at every command.
    rig.recognise("double click");
    rig.recognise("restore");
    EXPECT_EQ(rig.dialogs.shown.size(), 1u);
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

// --- searches and location dictation ----------------------------------------

class SearchTest : public DispatcherTest {
protected:
    const fakes::ScriptedSpeechPlatform::GrammarState& grammar() const {
        return *rig.engine.grammarState();
    }
};

TEST_F(SearchTest, WebSearchJoinsEncodedWordsWithTheSeparator) {
    rig.addSearch("search the web", "https://s.example/?q=QQ&x=1", "QQ", "+", "", "1");
    rig.recognise("search the web");
    EXPECT_EQ(rig.feedback.feedbackText, "I Heard: Search search the web");
    EXPECT_EQ(rig.speech.commandCounter, 0);
    EXPECT_EQ(rig.host.count("beep 500 200"), 1);
    EXPECT_TRUE(grammar().dictationActive);
    EXPECT_FALSE(grammar().rulesActive);
    EXPECT_EQ(grammar().dictationTopic, std::optional<std::string>(""));

    rig.recognise("cheap flights to rome & c++");
    EXPECT_EQ(rig.host.opened, std::vector<std::string>{
                                   "https://s.example/?q=cheap+flights+to+rome+%26+c%2B%2B&x=1"});
    EXPECT_EQ(rig.state.gsSearchPhrase, "cheap+flights+to+rome+%26+c%2B%2B");
    EXPECT_EQ(rig.speech.commandCounter, 1);
    EXPECT_FALSE(rig.state.pendingSearch.pending());
    EXPECT_FALSE(grammar().dictationActive);
    EXPECT_TRUE(grammar().rulesActive);
}

TEST_F(SearchTest, SpelledSearchesLoadTheSpellingTopic) {
    for (const char* type : {"3", "4"}) {
        rig.catalogue.commandTable.clear();
        rig.addSearch("spell it", "https://s.example/?q=QQ", "QQ", "+", "LL", type);
        rig.recognise("spell it");
        EXPECT_EQ(grammar().dictationTopic, std::optional<std::string>("Spelling")) << type;
        EXPECT_TRUE(grammar().dictationActive);
        EXPECT_FALSE(grammar().rulesActive);
        rig.dispatcher.clearPendingDictation();
    }
}

TEST_F(SearchTest, SpelledWebSearchOpensTheAddress) {
    rig.addSearch("spell a search", "https://s.example/?q=QQ", "QQ", "%20", "", "3");
    rig.recognise("spell a search");
    rig.recognise("k e l");
    EXPECT_EQ(rig.host.opened, std::vector<std::string>{"https://s.example/?q=k%20e%20l"});
}

TEST_F(SearchTest, LocalSearchKeepsBlanksAndPutsInTheLocation) {
    ASSERT_TRUE(rig.settings.writeIni("Lobuteha", "location", "Austin TX"));
    rig.addSearch("find nearby", "https://maps.example/?q=WW&near=LL", "WW", "+", "LL", "2");
    rig.recognise("find nearby");
    rig.recognise("pizza place");
    EXPECT_EQ(rig.host.opened,
              std::vector<std::string>{"https://maps.example/?q=pizza%20place&near=Austin%20TX"});
    EXPECT_EQ(rig.state.currentLocation, "Austin TX");
}

TEST_F(SearchTest, WordsThatLookLikeAPlaceholderAreNotReplacedAgain) {
    ASSERT_TRUE(rig.settings.writeIni("Lobuteha", "location", "WW"));
    rig.addSearch("find nearby", "https://maps.example/?q=WW&near=LL", "WW", "+", "LL", "2");
    rig.recognise("find nearby");
    rig.recognise("LL");
    EXPECT_EQ(rig.host.opened, std::vector<std::string>{"https://maps.example/?q=LL&near=WW"});
}

TEST_F(SearchTest, LocalSearchWithoutALocationIsDroppedAndCommandsListenAgain) {
    ASSERT_TRUE(rig.settings.writeIni("Lobuteha", "location", "x"));
    rig.addSearch("find nearby", "https://maps.example/?q=WW&near=LL", "WW", "+", "LL", "4");
    rig.recognise("find nearby");
    rig.recognise("coffee");
    EXPECT_TRUE(rig.host.opened.empty());
    ASSERT_NE(lastShown(), nullptr);
    EXPECT_EQ(lastShown()->title, "kelvo does not know your current location");
    EXPECT_EQ(lastShown()->message,
              "Please review the Local Search Settings screen for details and instructions.");
    EXPECT_TRUE(lastShown()->modal);
    EXPECT_EQ(rig.windows.calls,
              (std::vector<std::string>{"hide mouse", "show frmlocalsearchsettings"}));
    EXPECT_FALSE(rig.state.pendingSearch.pending());
    EXPECT_TRUE(grammar().rulesActive);
    EXPECT_FALSE(grammar().dictationActive);
    // Armed: one reset; the dropped search ends without one.
    EXPECT_EQ(rig.host.count("reset"), 1);
}

TEST_F(SearchTest, UnknownSearchTypeNeverLeavesTheProgramDeaf) {
    rig.addSearch("odd search", "https://s.example/?q=QQ", "QQ", "+", "", "7");
    rig.recognise("odd search");
    rig.recognise("anything");
    EXPECT_TRUE(rig.host.opened.empty());
    EXPECT_FALSE(rig.state.pendingSearch.pending());
    EXPECT_TRUE(grammar().rulesActive);
    EXPECT_FALSE(grammar().dictationActive);
}

TEST_F(SearchTest, BuiltInPhrasesComeBeforeThePendingWords) {
    rig.addSearch("search the web", "https://s.example/?q=QQ", "QQ", "+", "", "1");
    rig.recognise("search the web");
    rig.recognise("go places tab");
    EXPECT_EQ(rig.host.count("tab Places"), 1);
    EXPECT_TRUE(rig.state.pendingSearch.pending());
    rig.recognise("kittens");
    EXPECT_EQ(rig.host.opened, std::vector<std::string>{"https://s.example/?q=kittens"});
}

TEST_F(SearchTest, SleepingClearsAPendingSearch) {
    rig.addSearch("search the web", "https://s.example/?q=QQ", "QQ", "+", "", "1");
    rig.recognise("search the web");
    rig.recognise("mute computer microphone");
    EXPECT_FALSE(rig.state.pendingSearch.pending());
    EXPECT_EQ(rig.interpreters.forgotten, 1); // a bookmark search too
    rig.recognise("activate computer microphone");
    rig.recognise("go fun tab");
    EXPECT_EQ(rig.host.count("tab Fun"), 1);
    EXPECT_TRUE(rig.host.opened.empty());
}

TEST_F(SearchTest, ZipDictationMakesDigits) {
    rig.recognise("select zip location");
    EXPECT_EQ(rig.state.dictationMode, "zip");
    EXPECT_EQ(rig.speech.commandCounter, 0);
    EXPECT_TRUE(grammar().dictationActive);
    const std::vector<std::string>& digits = grammar().dictationVocabulary;
    EXPECT_NE(std::find(digits.begin(), digits.end(), "four"), digits.end());
    rig.recognise("four five two one one");
    EXPECT_EQ(rig.state.currentLocation, "45211");
    EXPECT_EQ(rig.settings.readIni("Lobuteha", "location", "abc", 150), "45211");
    EXPECT_EQ(rig.state.dictationMode, "");
    EXPECT_TRUE(grammar().rulesActive);
    EXPECT_FALSE(grammar().dictationActive);
}

TEST_F(SearchTest, CityDictationKeepsTheWords) {
    ASSERT_TRUE(rig.settings.writeIni("Lobuteha", "office", "Springfield, IL"));
    rig.recognise("select city location");
    // Heard as the places it knows first, the user's own among them.
    const std::vector<std::string>& places = grammar().dictationVocabulary;
    EXPECT_NE(std::find(places.begin(), places.end(), "Springfield, IL"), places.end());
    EXPECT_NE(std::find(places.begin(), places.end(), "san antonio"), places.end());
    rig.recognise("san antonio");
    EXPECT_EQ(rig.state.currentLocation, "san antonio");
    EXPECT_EQ(rig.feedback.locationText, "Current Location: san antonio");
}

TEST_F(SearchTest, APendingSearchIsServedBeforeALocationDictation) {
    rig.addSearch("search the web", "https://s.example/?q=QQ", "QQ", "+", "", "1");
    rig.recognise("search the web");
    rig.recognise("select city location");
    rig.recognise("dallas");
    EXPECT_EQ(rig.host.opened, std::vector<std::string>{"https://s.example/?q=dallas"});
    EXPECT_EQ(rig.state.dictationMode, "city");
}

TEST_F(SearchTest, ARecognitionDuringTheBeepPauseWaitsForTheArmingToFinish) {
    rig.addSearch("search the web", "https://s.example/?q=QQ", "QQ", "+", "", "1");
    bool sent = false;
    rig.app.duringPump = [&] {
        if (!sent) {
            sent = true;
            rig.recognise("rome");
            // Not handled yet: the arming is still under way.
            EXPECT_TRUE(rig.host.opened.empty());
        }
    };
    rig.recognise("search the web");
    EXPECT_TRUE(sent);
    EXPECT_EQ(rig.host.opened, std::vector<std::string>{"https://s.example/?q=rome"});
    // Handled in order after the arming, so dictation ended switched off.
    EXPECT_FALSE(grammar().dictationActive);
    EXPECT_TRUE(grammar().rulesActive);
}

TEST_F(SearchTest, ASearchRowWithoutAnAddressLeavesTheCommandsListening) {
    rig.addSearch("search the web", "", "QQ", "+", "", "1");
    rig.recognise("search the web");
    EXPECT_TRUE(grammar().rulesActive);
    EXPECT_FALSE(grammar().dictationActive);
    EXPECT_FALSE(rig.state.pendingSearch.pending());
}

TEST_F(SearchTest, ASleepOrAReleasedEngineDuringTheBeepPauseStopsTheArming) {
    // Sleep, wake and a new or released engine forget what dictation waits
    // for, as the program wires it.
    rig.controller.setPendingDictationForgetter([this] { rig.dispatcher.clearPendingDictation(); });
    rig.addSearch("search the web", "https://s.example/?q=QQ", "QQ", "+", "", "1");
    fakes::FakeToneOutput tone;
    SleepWake sleepWake(rig.controller, rig.speech, rig.app, rig.feedback, tone);
    const std::vector<std::pair<std::string, std::function<void()>>> pauses = {
        {"sleep", [&] { ASSERT_TRUE(sleepWake.muteUnmute(kModeSleep).ok()); }},
        {"release",
         [&] {
             ASSERT_TRUE(rig.controller.controlEngine(engine_action::kShutdown, "").ok());
             rig.host.grammarObject = nullptr;
         }},
    };
    for (const char* arming : {"search the web", "select zip location", "select city location"}) {
        for (const auto& [pause, during] : pauses) {
            ASSERT_TRUE(rig.start());
            ASSERT_TRUE(sleepWake.muteUnmute(kModeWake).ok());
            rig.dialogs.shown.clear();
            bool paused = false;
            rig.app.duringPump = [&] {
                if (!std::exchange(paused, true)) {
                    during();
                }
            };
            rig.recognise(arming);
            rig.app.duringPump = nullptr;
            const std::string what = std::string(arming) + " / " + pause;
            EXPECT_TRUE(paused) << what;
            EXPECT_TRUE(rig.dialogs.shown.empty()) << what;
            EXPECT_FALSE(rig.state.pendingSearch.pending()) << what;
            EXPECT_TRUE(rig.state.dictationMode.empty()) << what;
            if (rig.engine.grammarState() != nullptr) {
                EXPECT_FALSE(grammar().dictationActive) << what;
                EXPECT_TRUE(grammar().rulesActive) << what;
                EXPECT_TRUE(rig.speech.asleep) << what;
            }
        }
    }
}

TEST_F(SearchTest, AFailureIsReportedAndTheNextPhraseIsHeard) {
    rig.addSearch("search the web", "https://s.example/?q=QQ", "QQ", "+", "", "1");
    rig.engine.failOn("DictationLoad", Status::failure(440, "engine refused"));
    rig.recognise("search the web");
    ASSERT_NE(lastShown(), nullptr);
    EXPECT_EQ(lastShown()->kind, "runtime");
    EXPECT_NE(lastShown()->message.find("440: "), std::string::npos);
    EXPECT_NE(lastShown()->message.find("\nFmouPhre"), std::string::npos);
    EXPECT_FALSE(rig.state.pendingSearch.pending());
    EXPECT_TRUE(grammar().rulesActive);
    EXPECT_FALSE(grammar().dictationActive);
    rig.recognise("go music tab");
    EXPECT_EQ(rig.host.count("tab Music"), 1);
}

TEST(DispatcherWithoutEngine, ASearchBeforeTheEngineRunsIsReported) {
    DispatchRig rig;
    rig.addSearch("search the web", "https://s.example/?q=QQ", "QQ", "+", "", "1");
    rig.recognise("search the web");
    ASSERT_FALSE(rig.dialogs.shown.empty());
    EXPECT_EQ(rig.dialogs.shown.back().kind, "runtime");
    EXPECT_FALSE(rig.state.pendingSearch.pending());
}

// --- catalogue and custom commands ------------------------------------------

TEST_F(DispatcherTest, CatalogueMatchesWithoutRegardToCase) {
    rig.addRow({"open weather", "https://weather.example/", "1", "", "", "", "", "", "", "", "", "",
                "", "Weather"});
    rig.recognise("Open Weather");
    EXPECT_EQ(rig.host.opened, std::vector<std::string>{"https://weather.example/"});
    EXPECT_EQ(rig.state.lastCommandText, "Weather");
    EXPECT_EQ(rig.feedback.feedbackText, "I Heard: Weather");
    EXPECT_EQ(rig.host.count("reset"), 1);
}

TEST_F(DispatcherTest, CatalogueNeedsAStandardRecognition) {
    rig.addRow({"open weather", "https://weather.example/", "1"});
    rig.recognise("open weather", 1);
    EXPECT_TRUE(rig.host.opened.empty());
    EXPECT_EQ(rig.speech.commandCounter, 0);
    EXPECT_EQ(rig.host.count("reset"), 1);
}

TEST_F(DispatcherTest, FeedbackRowThenWebRowOfOnePhraseBothAct) {
    rig.addRow({"news", "", "3"});
    rig.addRow(
        {"news", "https://news.example/", "1", "", "", "", "", "", "", "", "", "", "", "The News"});
    rig.recognise("news");
    EXPECT_EQ(rig.speech.commandCounter, 2);
    EXPECT_EQ(rig.feedback.feedbackText, "I Heard: The News");
    EXPECT_EQ(rig.host.opened, std::vector<std::string>{"https://news.example/"});
}

TEST_F(DispatcherTest, TheDownloadedCatalogueOpensOnlyWebAddresses) {
    rig.addRow({"bad one", "file:///etc/passwd", "1"});
    rig.addRow({"bad two", "/usr/bin/xterm", "5", "", "", "", "", "", "", "", "", "", "", "X"});
    // Without type and display words a downloaded row is still no custom command.
    const auto program = rig.dir.path() / "tool.sh";
    std::ofstream(program) << "#!/bin/sh\n";
    ::chmod(program.c_str(), 0700);
    rig.addRow({"bad three", program.string()});
    rig.recognise("bad one");
    rig.recognise("bad two");
    rig.recognise("bad three");
    EXPECT_TRUE(rig.host.opened.empty());
    EXPECT_TRUE(rig.host.started.empty());
    // Heard, but the user is told why nothing opened.
    ASSERT_EQ(rig.dialogs.shown.size(), 3u);
    EXPECT_EQ(rig.dialogs.shown[0].kind, "notice");
    EXPECT_EQ(rig.dialogs.shown[0].title, "Nothing was opened");
    EXPECT_NE(rig.dialogs.shown[0].message.find("file:///etc/passwd"), std::string::npos);
    EXPECT_NE(rig.dialogs.shown[1].message.find("/usr/bin/xterm"), std::string::npos);
    rig.addRow({"ftp site", "FTP://files.example/", "1"});
    rig.recognise("ftp site");
    EXPECT_EQ(rig.host.opened, std::vector<std::string>{"FTP://files.example/"});
}

TEST_F(DispatcherTest, CustomCommandsOpenAddressesFilesAndPrograms) {
    const auto page = rig.dir.path() / "page.html";
    std::ofstream(page) << "<html></html>";
    const auto program = rig.dir.path() / "tool.sh";
    std::ofstream(program) << "#!/bin/sh\n";
    ::chmod(program.c_str(), 0700);
    rig.addCustom("my site", "HTTPS://Example.org/");
    rig.addCustom("my page", page.string());
    rig.addCustom("my tool", program.string());
    rig.addCustom("my gone", (rig.dir.path() / "gone.sh").string());
    rig.addCustom("my short", "ab");
    // A folder opens in the file manager; searchable, it is still no program.
    rig.addCustom("my folder", rig.dir.path().string());

    rig.recognise("my site");
    rig.recognise("my page");
    rig.recognise("my tool");
    rig.recognise("my folder");
    EXPECT_EQ(rig.host.opened, (std::vector<std::string>{"HTTPS://Example.org/", page.string(),
                                                         rig.dir.path().string()}));
    EXPECT_EQ(rig.host.started, std::vector<std::vector<std::string>>{{program.string()}});
    EXPECT_EQ(rig.speech.commandCounter, 4);

    EXPECT_TRUE(rig.dialogs.shown.empty());
    rig.recognise("my gone");
    EXPECT_EQ(rig.speech.commandCounter, 5);
    EXPECT_EQ(rig.feedback.feedbackText, "I Heard: my gone");
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].message,
              "\"" + (rig.dir.path() / "gone.sh").string() + "\" was not found.");
    rig.recognise("my short");
    EXPECT_EQ(rig.speech.commandCounter, 5);
    EXPECT_EQ(rig.host.opened.size(), 3u);
}

TEST_F(DispatcherTest, AnAddressTheDesktopCannotOpenIsReported) {
    rig.addRow({"news", "https://news.example/", "1"});
    rig.host.openResult = Status::failure(2, "could not open https://news.example/");
    rig.recognise("news");
    ASSERT_NE(lastShown(), nullptr);
    EXPECT_EQ(lastShown()->kind, "notice");
    EXPECT_EQ(lastShown()->message, "could not open https://news.example/");
}

TEST_F(DispatcherTest, WhateverEscapesARoadLaterRecognitionsAreStillHeard) {
    rig.addRow({"news", "https://news.example/", "1"});
    rig.host.onOpen = [] { throw 42; };
    EXPECT_THROW(rig.recognise("news"), int);
    rig.host.onOpen = nullptr;
    rig.recognise("news");
    EXPECT_EQ(rig.host.opened.size(), 2u);
}

TEST_F(DispatcherTest, NoMatchEndsWithTheReloadCheckOnly) {
    rig.recognise("nothing at all");
    EXPECT_EQ(rig.host.calls, std::vector<std::string>{"reset"});
    EXPECT_EQ(rig.speech.commandCounter, 0);
}

TEST_F(DispatcherTest, AReloadedTableIsIndexedAgain) {
    rig.addRow({"first", "https://one.example/", "1"});
    rig.recognise("first");
    CommandTable replacement;
    CommandRecord row;
    row.columns[0] = "second";
    row.columns[1] = "https://two.example/";
    row.columns[2] = "1";
    replacement.push_back(row);
    rig.catalogue.commandTable = std::move(replacement);
    ++rig.catalogue.tableGeneration;
    rig.recognise("first");
    rig.recognise("second");
    EXPECT_EQ(rig.host.opened,
              (std::vector<std::string>{"https://one.example/", "https://two.example/"}));
}

} // namespace
} // namespace kelvo
