#include "windows/main_window_logic.h"

#include "windows/autostart_entry.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_main_window_view.h"
#include "fakes/fake_pointer_buttons.h"
#include "fakes/fake_tray_icon.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "test_paths.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

class MainWindowLogicTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    fakes::FakeMainWindowView view;
    fakes::FakeTrayIcon tray;
    fakes::FakePointerButtons pointer;
    MainWindowState state;
    DispatchState dispatch;
    MessageBoxState boxState;
    SettingsFile settings{dir / "data/mouse.ini", errors};
    MessageBoxes boxes{boxState, dialogs, app};
    MainWindowHooks hooks;
    std::unique_ptr<MainWindowLogic> logic;

    void SetUp() override { std::filesystem::create_directories(dir / "data"); }

    MainWindowLogic& make() {
        MainWindowPaths paths{dir / "data",
                              dir / "program",
                              dir / "autostart",
                              "/opt/kelvo/bin/kelvo",
                              {dir / "applications"}};
        logic = std::make_unique<MainWindowLogic>(state, dispatch, boxState, view, tray, settings,
                                                  boxes, app, pointer, paths, hooks);
        return *logic;
    }
    void store(const std::string& ini) {
        ASSERT_TRUE(writeFileAtomically(settings.path(), ini).ok());
    }
    std::vector<std::string> words(ListId list) {
        std::vector<std::string> out;
        for (const auto& row : view.lists[list].rows) {
            out.push_back(row.at(0));
        }
        return out;
    }
};

TEST_F(MainWindowLogicTest, LocationLabelByStoredValue) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"[Lobuteha]\nlocation=x\n", "Click To Set Location"},
        {"[Lobuteha]\nlocation=\n", "Click To Set Location"},
        {"[Lobuteha]\nlocation=Cincinnati, OH\n", "Current location: Cincinnati, OH"},
        {"", "Current location: abc"},
    };
    for (const auto& [ini, expected] : cases) {
        store(ini);
        view = fakes::FakeMainWindowView{};
        ASSERT_TRUE(make().formLoad("").ok());
        EXPECT_EQ(view.locationText, expected) << ini;
    }
}

TEST_F(MainWindowLogicTest, DisplayOnStartComparesFourCharacters) {
    struct Case {
        std::string ini;
        std::optional<bool> splash;
    };
    const std::vector<Case> cases = {
        {"[Splash]\nDisplayOnStart=False\n", false},
        {"[Splash]\nDisplayOnStart=Fals\n", false},
        {"[Splash]\nDisplayOnStart=Falsehood\n", false},
        {"[Splash]\nDisplayOnStart=True\n", true},
        {"[Splash]\nDisplayOnStart=  Truely\n", true},
        {"[Splash]\nDisplayOnStart=true\n", std::nullopt},
        {"[Splash]\nDisplayOnStart=Yes\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        store(c.ini);
        view = fakes::FakeMainWindowView{};
        ASSERT_TRUE(make().formLoad("").ok());
        if (c.splash) {
            ASSERT_TRUE(view.checkBoxes.count(CheckBox::ShowSplash)) << c.ini;
            EXPECT_EQ(view.checkBoxes[CheckBox::ShowSplash], *c.splash) << c.ini;
        } else {
            EXPECT_FALSE(view.checkBoxes.count(CheckBox::ShowSplash)) << c.ini;
        }
    }
}

TEST_F(MainWindowLogicTest, LoadSetsBoxesWithoutRewritingSettings) {
    // Autostart on, splash chosen off: a start must not turn the splash on.
    store("[Splash]\nDisplayOnStart=False\n[Main]\nDisplayOnStart=True\n");
    ASSERT_TRUE(installAutostartEntry(dir / "autostart", "/usr/bin/kelvo").ok());
    const std::string before = readWholeFile(settings.path()).value();
    ASSERT_TRUE(make().formLoad("").ok());
    EXPECT_TRUE(view.checkBoxes[CheckBox::AutoStart]);
    EXPECT_FALSE(view.checkBoxes[CheckBox::ShowSplash]);
    EXPECT_TRUE(view.checkBoxes[CheckBox::ShowMain]);
    EXPECT_EQ(readWholeFile(settings.path()).value(), before);
}

TEST_F(MainWindowLogicTest, LoadShowsBasicPageOnlyAndGreetsOnceTheEngineHears) {
    store("[Webcam]\nWebcamName=x\n");
    ASSERT_TRUE(make().formLoad("").ok());
    // No engine hears yet: nothing may say that kelvo listens.
    EXPECT_TRUE(tray.balloons.empty());
    EXPECT_EQ(tray.tips, std::vector<std::string>{"Kelvo Is NOT Listening"});
    EXPECT_TRUE(tray.asleep);
    EXPECT_EQ(view.listeningImage, 3);
    logic->welcome();
    logic->welcome();
    ASSERT_EQ(tray.balloons.size(), 1u);
    EXPECT_EQ(tray.balloons[0].first, "Welcome To Kelvo");
    EXPECT_EQ(tray.balloons[0].second, "Kelvo is now awake and listening for your voice commands!");
    EXPECT_EQ(view.startPage, dir / "data/logo.html");
    EXPECT_TRUE(view.isFrameVisible(Frame::VoiceCommands));
    EXPECT_EQ(view.visibleFrameCount(), 1);
    EXPECT_EQ(view.webcamLabel, "No webcam or chat program is selected");
    EXPECT_EQ(state.appLanguage, "English");
    EXPECT_EQ(logic->stepMarker(), "mm19");
}

// The server's message comes after the welcome, which would cover it, and
// says kelvo listens only once it does.
TEST_F(MainWindowLogicTest, UpgradeMessageComesAfterTheWelcome) {
    const std::string listening =
        "\r\n\r\n(kelvo is now awake and listening for your voice commands!)";
    ASSERT_TRUE(make().formLoad("Version 2 is out").ok());
    EXPECT_TRUE(tray.balloons.empty());
    logic->welcome();
    logic->startupEngineStepsDone();
    logic->showUpgradeMessage("Version 3 is out");
    ASSERT_EQ(tray.balloons.size(), 3u);
    EXPECT_EQ(tray.balloons[0].first, "Welcome To Kelvo");
    EXPECT_EQ(tray.balloons[1].first, "Message From Kelvo");
    EXPECT_EQ(tray.balloons[1].second, "Version 2 is out" + listening);
    EXPECT_EQ(tray.balloons[2].second, "Version 3 is out" + listening);

    // An engine that never hears holds it no longer than the start's engine
    // steps.
    tray.balloons.clear();
    ASSERT_TRUE(make().formLoad("Version 2 is out").ok());
    logic->startupEngineStepsDone();
    ASSERT_EQ(tray.balloons.size(), 1u);
    EXPECT_EQ(tray.balloons[0].second, "Version 2 is out");
}

TEST_F(MainWindowLogicTest, FailedStepEndsLoadWithMarker) {
    hooks.loadAllCommandLists = [] { return Status::failure(53, "File not found"); };
    bool customLoaded = false;
    hooks.loadCustomCommandList = [&] {
        customLoaded = true;
        return Status{};
    };
    store("[Webcam]\nWebcamName=Talk\nWebcam=/usr/bin/talk\n");
    ASSERT_TRUE(make().formLoad("").ok());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, "modeless");
    EXPECT_EQ(dialogs.shown[0].title, "Error");
    EXPECT_EQ(dialogs.shown[0].message, "53File not foundError loading voice objects! Please make "
                                        "sure kelvo is correctly installed.\nmm7");
    EXPECT_FALSE(customLoaded);
    EXPECT_TRUE(view.chatItems.empty());
    EXPECT_EQ(view.webcamLabel, "");
    EXPECT_EQ(view.listeningImage, 0);
    // What was done before stays.
    EXPECT_EQ(view.listRowCount(ListId::Basic), 26);
}

TEST_F(MainWindowLogicTest, WebcamLabelFromSettings) {
    store("[Webcam]\nWebcamName=Talk\nWebcam=/usr/bin/talk\n");
    ASSERT_TRUE(make().formLoad("").ok());
    EXPECT_EQ(view.webcamLabel, "Opens the program: Talk");
    EXPECT_EQ(dispatch.sChatClient, "/usr/bin/talk");

    store("[Webcam]\nWebcamName=Talk\nWebcam=\n");
    view = fakes::FakeMainWindowView{};
    ASSERT_TRUE(make().formLoad("").ok());
    EXPECT_EQ(view.webcamLabel, "No webcam or chat program is selected");
}

TEST_F(MainWindowLogicTest, InstalledSettingsShowNothingChosenYet) {
    const auto installed =
        readWholeFile(std::filesystem::path(KELVO_RESOURCES_DIR) / "defaults" / "mouse.ini");
    ASSERT_TRUE(installed.ok());
    store(*installed);
    ASSERT_TRUE(make().formLoad("").ok());
    EXPECT_EQ(view.locationText, "Click To Set Location");
    EXPECT_EQ(view.webcamLabel, "No webcam or chat program is selected");
    EXPECT_EQ(dispatch.sChatClient, "");
}

TEST_F(MainWindowLogicTest, TabsSwitchByTagKeepingOneFrame) {
    make();
    ASSERT_TRUE(logic->formLoad("").ok());
    logic->removeClientTab();
    ASSERT_EQ(view.tags.size(), 10u);
    logic->removeClientTab(); // a second call must not remove Music
    ASSERT_EQ(view.tags.size(), 10u);

    for (const auto& [tag, frame] :
         std::vector<std::pair<std::string, Frame>>{{"Fun", Frame::Fun},
                                                    {"Places", Frame::WebCommands},
                                                    {"Social", Frame::Social},
                                                    {"Options", Frame::MouseConfig},
                                                    {"Basic", Frame::VoiceCommands}}) {
        logic->clickTab(tag);
        EXPECT_EQ(view.tags[view.selected], tag);
        EXPECT_TRUE(view.isFrameVisible(frame)) << tag;
        EXPECT_EQ(view.visibleFrameCount(), 1) << tag;
    }
    // A user's click on Music.
    view.selected = 5;
    logic->tabStripClicked();
    EXPECT_TRUE(view.isFrameVisible(Frame::Music));
    EXPECT_EQ(view.visibleFrameCount(), 1);

    for (const std::string tag : {"Client", "basic", ""}) {
        view.frameCalls.clear();
        logic->clickTab(tag);
        EXPECT_TRUE(view.frameCalls.empty()) << tag;
        EXPECT_EQ(view.selected, 5) << tag;
    }
}

TEST_F(MainWindowLogicTest, LoginRowsFollowSiteSwitches) {
    struct Case {
        std::string ini;
        std::vector<std::string> rows;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"[Flatrock]\nl=30\n[Miami]\nl=3120\n", {}},
        {"[Flatrock]\nl=031\n", {}},
        {"[Miami]\nl=31\n", {"login to myspace"}},
        {"[Flatrock]\nl=31\n", {"login to facebook"}},
        {"[Flatrock]\nl=31\n[Miami]\nl=31\n", {"login to facebook", "login to myspace"}},
    };
    for (const Case& c : cases) {
        store(c.ini);
        view = fakes::FakeMainWindowView{};
        state = MainWindowState{};
        dispatch.facebookLoginShown = false;
        dispatch.myspaceLoginShown = false;
        ASSERT_TRUE(make().formLoad("").ok());
        EXPECT_EQ(words(ListId::Login), c.rows) << c.ini;
        ASSERT_EQ(view.lists[ListId::Login].columns.size(), 1u);
        EXPECT_EQ(view.lists[ListId::Login].columns[0].first, "Login Voice Commands");
        EXPECT_EQ(view.lists[ListId::Login].enabled, !c.rows.empty()) << c.ini;
        EXPECT_EQ(dispatch.facebookLoginShown,
                  c.ini.find("[Flatrock]\nl=31\n") != std::string::npos);
    }
}

TEST_F(MainWindowLogicTest, LoginFlagStaysOnAfterSwitchGoesOff) {
    store("[Flatrock]\nl=31\n");
    ASSERT_TRUE(make().formLoad("").ok());
    store("");
    logic->loadSocialList();
    EXPECT_TRUE(dispatch.facebookLoginShown);
    EXPECT_EQ(words(ListId::Login), std::vector<std::string>{"login to facebook"});
}

TEST_F(MainWindowLogicTest, CatalogueRowsAppearOnceAfterReload) {
    hooks.loadAllCommandLists = [this] {
        view.addListRow(ListId::Facebook, {"go facebook poke"});
        view.addListRow(ListId::MySpace, {"go myspace top"});
        return Status{};
    };
    ASSERT_TRUE(make().formLoad("").ok());
    ASSERT_TRUE(logic->reloadCommandLists().ok());
    ASSERT_TRUE(logic->reloadCommandLists().ok());
    const auto facebook = words(ListId::Facebook);
    ASSERT_EQ(facebook.size(), 12u);
    EXPECT_EQ(facebook.front(), "go facebook home");
    EXPECT_EQ(facebook.back(), "go facebook poke");
    const auto myspace = words(ListId::MySpace);
    ASSERT_EQ(myspace.size(), 18u);
    EXPECT_EQ(myspace[8], "go myspace TV");
    EXPECT_EQ(myspace.back(), "go myspace top");
}

TEST_F(MainWindowLogicTest, FixedListsHaveTheirRowsAndHeaders) {
    ASSERT_TRUE(make().formLoad("").ok());
    const auto& basic = view.lists[ListId::Basic];
    ASSERT_EQ(basic.columns.size(), 2u);
    EXPECT_EQ(basic.columns[0], (std::pair<std::string, int>{"Word(s)", 2450}));
    EXPECT_EQ(basic.columns[1], (std::pair<std::string, int>{"Action", 5450}));
    ASSERT_EQ(basic.rows.size(), 26u);
    EXPECT_EQ(basic.rows[8],
              (std::vector<std::string>{"display kelvee (kelvo)", "display this program"}));
    EXPECT_EQ(basic.rows[24],
              (std::vector<std::string>{"go control panel ", "opens control panel "}));
    // Music waits for the start-up.
    EXPECT_FALSE(view.lists.count(ListId::MusicBasic));
    logic->loadMusicList();
    EXPECT_EQ(view.listRowCount(ListId::MusicBasic), 13);
    EXPECT_EQ(view.listRowCount(ListId::MusicPlay), 7);
    EXPECT_EQ(view.listRowCount(ListId::MusicSearch), 9);
    EXPECT_EQ(view.listRowCount(ListId::MusicOther), 3);
    EXPECT_EQ(view.lists[ListId::MusicPlay].columns[1].first, "On/Off & Music Player Actions");
    EXPECT_EQ(view.lists[ListId::MusicSearch].columns[0].first, "Searches****");
    logic->loadMusicList();
    EXPECT_EQ(view.listRowCount(ListId::MusicBasic), 13);
}

TEST_F(MainWindowLogicTest, AdPaneTwoHidesThreeAndFour) {
    make();
    logic->setUpAdPanes({true, true, true, true});
    EXPECT_TRUE(view.adPanes[1].second);
    EXPECT_TRUE(view.adPanes[2].second);
    EXPECT_FALSE(view.adPanes[3].second);
    EXPECT_FALSE(view.adPanes[4].second);
    EXPECT_EQ(view.adPanes[2].first, dir / "data/ad2.html");
    logic->setUpAdPanes({false, false, true, false});
    EXPECT_FALSE(view.adPanes[1].second);
    EXPECT_FALSE(view.adPanes[2].second);
    EXPECT_TRUE(view.adPanes[3].second);
    EXPECT_FALSE(view.adPanes[4].second);
}

TEST_F(MainWindowLogicTest, BalloonTextsAreCutToTheirFields) {
    make();
    logic->showBalloon(std::string(70, 't'), std::string(300, 'x'));
    ASSERT_EQ(tray.balloons.size(), 1u);
    EXPECT_EQ(tray.balloons[0].first, std::string(64, 't'));
    EXPECT_EQ(tray.balloons[0].second, std::string(256, 'x'));
}

TEST_F(MainWindowLogicTest, TrayMuteItemTogglesListening) {
    make().muteClicked(); // no engine yet: nothing happens
    int toggles = 0;
    hooks.toggleListening = [&] { ++toggles; };
    make().muteClicked();
    EXPECT_EQ(toggles, 1);
}

TEST_F(MainWindowLogicTest, TrayShowRespectsWelcomePage) {
    make();
    view.frames[Frame::FirstTime] = true;
    logic->trayShowClicked();
    EXPECT_FALSE(view.windowVisible);
    view.frames[Frame::FirstTime] = false;
    logic->trayShowClicked();
    EXPECT_TRUE(view.windowVisible);
}

TEST_F(MainWindowLogicTest, EveryExitRoadRunsCloseDownOnce) {
    enum class Road { Button, Tray, Close, ButtonThenClose, TrayThenButton };
    for (Road road :
         {Road::Button, Road::Tray, Road::Close, Road::ButtonThenClose, Road::TrayThenButton}) {
        app.calls.clear();
        boxState.pendingAction.clear();
        make();
        switch (road) {
        case Road::Button:
            logic->exitClicked();
            break;
        case Road::Tray:
            logic->quitFromTray();
            break;
        case Road::Close:
            logic->formUnload();
            break;
        case Road::ButtonThenClose:
            logic->exitClicked();
            logic->formUnload();
            break;
        case Road::TrayThenButton:
            logic->quitFromTray();
            logic->exitClicked();
            break;
        }
        EXPECT_EQ(std::count(app.calls.begin(), app.calls.end(), "quit"), 1)
            << static_cast<int>(road);
        EXPECT_EQ(boxState.pendingAction, "Quit");
    }
}

TEST_F(MainWindowLogicTest, QuestionnaireKeepsProgramRunning) {
    app.questionnaireTakesOver = true;
    make().quitFromTray();
    EXPECT_EQ(app.calls, std::vector<std::string>{"questionnaire"});
    EXPECT_EQ(boxState.pendingAction, "Quit");
    EXPECT_FALSE(logic->unloading());
    // The quit button asks no questionnaire.
    logic->exitClicked();
    EXPECT_EQ(app.calls, (std::vector<std::string>{"questionnaire", "pump", "quit"}));
}

TEST(SiteSwitchTest, OnlyExactlyOneCounts) {
    EXPECT_TRUE(siteSwitchOn("31"));
    for (const std::string value : {"", "x", "30", "3120", "2031", "031", "3", "zz", "3g"}) {
        EXPECT_FALSE(siteSwitchOn(value)) << value;
    }
}

} // namespace
} // namespace kelvo
