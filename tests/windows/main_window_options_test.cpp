#include "windows/autostart_entry.h"
#include "windows/chat_program_detection.h"
#include "windows/main_window_logic.h"

#include "fakes/dispatch_rig.h"
#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_main_window_view.h"
#include "fakes/fake_pointer_buttons.h"
#include "fakes/fake_tray_icon.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

class MainWindowOptionsTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    fakes::FakeMainWindowView view;
    fakes::FakeTrayIcon tray;
    fakes::FakePointerButtons pointer;
    MainWindowState state;
    MessageBoxState boxState;
    SettingsFile settings{dir / "mouse.ini", errors};
    MessageBoxes boxes{boxState, dialogs, app};
    DispatchState dispatch;
    MainWindowPaths paths{dir.path(), dir / "program", dir / "autostart", "/opt/kelvo/kelvo", {}};
    MainWindowLogic logic{state, dispatch, boxState, view,  tray, settings,
                          boxes, app,      pointer,  paths, {}};

    std::string ini(const char* section, const char* key) {
        return settings.readIni(section, key, "unset", 300);
    }
};

TEST_F(MainWindowOptionsTest, CheckBoxesWriteTheirKeys) {
    logic.showSplashClicked(false);
    logic.showMainClicked(true);
    EXPECT_EQ(ini("Splash", "DisplayOnStart"), "False");
    EXPECT_EQ(ini("Main", "DisplayOnStart"), "True");
    logic.showSplashClicked(true);
    logic.showMainClicked(false);
    EXPECT_EQ(ini("Splash", "DisplayOnStart"), "True");
    EXPECT_EQ(ini("Main", "DisplayOnStart"), "False");
}

TEST_F(MainWindowOptionsTest, AutostartTickWritesEntryAndTurnsSplashOn) {
    logic.showSplashClicked(false);
    logic.autoStartClicked(true);
    EXPECT_EQ(ini("Splash", "DisplayOnStart"), "True");
    ASSERT_TRUE(autostartEntryExists(dir / "autostart"));
    const std::string text = readWholeFile(autostartEntryPath(dir / "autostart")).value();
    EXPECT_NE(text.find("Exec=/opt/kelvo/kelvo\n"), std::string::npos);
    EXPECT_NE(text.find("Type=Application\n"), std::string::npos);
    // The splash box is not refreshed.
    EXPECT_FALSE(view.checkBoxes.count(CheckBox::ShowSplash));

    logic.autoStartClicked(false);
    EXPECT_FALSE(autostartEntryExists(dir / "autostart"));
    // Unticking without an entry changes nothing and reports nothing.
    logic.autoStartClicked(false);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainWindowOptionsTest, AutostartFailureIsReportedAndBoxFollowsTheFolder) {
    // A file where the folder should be makes the write fail.
    ASSERT_TRUE(writeFileAtomically(dir / "autostart", "not a folder").ok());
    logic.autoStartClicked(true);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Start Automatically");
    EXPECT_FALSE(view.checkBoxes[CheckBox::AutoStart]);
}

TEST_F(MainWindowOptionsTest, AutostartEntryQuotesOddPaths) {
    const std::string text = autostartEntryText("/home/a b/100%/kelvo");
    EXPECT_NE(text.find("Exec=\"/home/a b/100%%/kelvo\"\n"), std::string::npos);
}

TEST_F(MainWindowOptionsTest, HandednessSwitchesAndBack) {
    logic.showMouseHandedness();
    EXPECT_EQ(view.handednessCaption, "Click Here For Left Handed Mouse");
    EXPECT_EQ(dispatch.mouseHandedness, 1);

    logic.applyNewSettingClicked();
    EXPECT_EQ(pointer.metric, 1);
    EXPECT_EQ(dispatch.mouseHandedness, 2);
    EXPECT_EQ(view.handednessCaption, "Click Here For Right Handed Mouse");
    EXPECT_EQ(view.handednessPicture, dir / "program/Lefthanded.bmp");
    EXPECT_EQ(ini("Mouse", "LeftRightHand"), "unset");

    logic.applyNewSettingClicked();
    EXPECT_EQ(pointer.metric, 0);
    EXPECT_EQ(dispatch.mouseHandedness, 1);
    EXPECT_EQ(view.handednessCaption, "Click Here For Left Handed Mouse");
    EXPECT_EQ(view.handednessPicture, dir / "program/Righthanded.bmp");
    EXPECT_EQ(ini("Mouse", "LeftRightHand"), "Right");
    EXPECT_EQ(readWholeFile(settings.path()).value(), "[Mouse]\nLeftRightHand=Right\n");
}

TEST_F(MainWindowOptionsTest, HandednessUnknownOrRefusedChangesNothing) {
    pointer.metric = -1;
    logic.applyNewSettingClicked();
    EXPECT_TRUE(pointer.requests.empty());
    EXPECT_EQ(view.handednessCaption, "");

    pointer.metric = 0;
    pointer.refuse = true;
    logic.applyNewSettingClicked();
    EXPECT_EQ(dispatch.mouseHandedness, 1);
    EXPECT_EQ(view.handednessCaption, "");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Mouse Buttons");
}

TEST_F(MainWindowOptionsTest, ChoosingAProgramStoresIt) {
    state.chatPrograms = {{"Talk", "talk --video"}, {"Chat", "chat"}, {"Talk", "other"}};
    logic.chatProgramChosen("Talk");
    EXPECT_EQ(ini("Webcam", "Webcam"), "talk --video");
    EXPECT_EQ(ini("Webcam", "WebcamName"), "Talk");
    EXPECT_EQ(dispatch.sChatClient, "talk --video");
    EXPECT_EQ(view.webcamLabel, "Opens the program: Talk");
    logic.chatProgramChosen("Nothing");
    EXPECT_EQ(dispatch.sChatClient, "talk --video");
}

TEST_F(MainWindowOptionsTest, AddedProgramCanBeChosenAgainAndCancelChangesNothing) {
    view.chosenFile = std::nullopt;
    logic.addChatClicked();
    EXPECT_EQ(view.fileDialogs, 1);
    EXPECT_EQ(ini("Webcam", "Webcam"), "unset");
    EXPECT_TRUE(view.chatItems.empty());

    state.chatPrograms = {{"Talk", "talk"}};
    view.chosenFile = "/opt/my chat/mychat";
    logic.addChatClicked();
    EXPECT_EQ(ini("Webcam", "Webcam"), "/opt/my chat/mychat");
    EXPECT_EQ(ini("Webcam", "WebcamName"), "mychat");
    EXPECT_EQ(view.chatItems, std::vector<std::string>{"mychat"});
    EXPECT_EQ(view.webcamLabel, "Opens the program: mychat");

    logic.chatProgramChosen("Talk");
    logic.chatProgramChosen("mychat");
    EXPECT_EQ(dispatch.sChatClient, "/opt/my chat/mychat");
    EXPECT_EQ(ini("Webcam", "WebcamName"), "mychat");

    // Adding the same file twice lists it once.
    logic.addChatClicked();
    EXPECT_EQ(view.chatItems.size(), 1u);
}

TEST_F(MainWindowOptionsTest, HideButtonHidesWindow) {
    view.windowVisible = true;
    logic.hideClicked();
    EXPECT_FALSE(view.windowVisible);
}

// The Options tab and the recognition road share one state: what the tab
// sets is what the spoken mouse and chat commands use.
class OptionsAndRoadTest : public ::testing::Test {
protected:
    fakes::DispatchRig rig;
    fakes::FakeMainWindowView view;
    fakes::FakeTrayIcon tray;
    fakes::FakePointerButtons pointer;
    MainWindowState state;
    MainWindowPaths paths{
        rig.dir.path(), rig.dir / "program", rig.dir / "autostart", "/opt/kelvo/kelvo", {}};
    MainWindowLogic logic{state,     rig.state, rig.boxState, view,  tray, rig.settings,
                          rig.boxes, rig.app,   pointer,      paths, {}};

    std::vector<std::string> pressesFor(const std::string& phrase) {
        rig.desktop.calls.clear();
        rig.recognise(phrase);
        return rig.desktop.calls;
    }
};

TEST_F(OptionsAndRoadTest, HandednessChosenOnTheTabIsWhatTheMousePhrasesUse) {
    const std::vector<std::string> primary = {"down primary", "up primary"};
    const std::vector<std::string> secondary = {"down secondary", "up secondary"};
    logic.showMouseHandedness();
    EXPECT_EQ(rig.state.mouseHandedness, kRightHanded);
    EXPECT_EQ(pressesFor("click"), primary);
    EXPECT_EQ(pressesFor("context menu"), secondary);
    rig.desktop.calls.clear();
    rig.actions.mouseClick(1);
    EXPECT_EQ(rig.desktop.calls, primary);

    // Left-handed: the left button (code 1) is now the context button, and
    // the phrases still press the button the user means.
    logic.applyNewSettingClicked();
    EXPECT_EQ(rig.state.mouseHandedness, kLeftHanded);
    rig.desktop.calls.clear();
    rig.actions.mouseClick(1);
    EXPECT_EQ(rig.desktop.calls, secondary);
    EXPECT_EQ(pressesFor("click"), primary);
    EXPECT_EQ(pressesFor("context menu"), secondary);

    logic.applyNewSettingClicked();
    EXPECT_EQ(rig.state.mouseHandedness, kRightHanded);
    rig.desktop.calls.clear();
    rig.actions.mouseClick(1);
    EXPECT_EQ(rig.desktop.calls, primary);
}

TEST_F(OptionsAndRoadTest, ChatProgramChosenOnTheTabIsWhatGetWebcamUses) {
    rig.recognise("get webcam");
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    state.chatPrograms = {{"Talk", "/bin/true --video"}};
    logic.chatProgramChosen("Talk");
    EXPECT_EQ(rig.state.sChatClient, "/bin/true --video");
    EXPECT_EQ(rig.state.sChatClientName, "Talk");
    rig.dialogs.shown.clear();
    rig.recognise("get webcam");
    EXPECT_TRUE(rig.dialogs.shown.empty());
    const std::vector<std::vector<std::string>> started = {{"/bin/true", "--video"}};
    EXPECT_EQ(rig.host.started, started);
}

TEST_F(OptionsAndRoadTest, LoginRowsListedByTheWindowLetTheLoginPhrasesAct) {
    rig.recognise("login to facebook");
    EXPECT_EQ(rig.feedback.feedbackText, "");
    ASSERT_TRUE(rig.settings.writeIni("Flatrock", "l", "31"));
    logic.loadSocialList();
    EXPECT_TRUE(rig.state.facebookLoginShown);
    rig.recognise("login to facebook");
    EXPECT_EQ(rig.feedback.feedbackText, "I Heard: login to facebook");
    EXPECT_EQ(rig.interpreters.calls.back(), "login facebook");
}

} // namespace
} // namespace kelvo
