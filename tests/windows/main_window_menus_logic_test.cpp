#include "windows/main_window_menus_logic.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_window_registry.h"
#include "fakes/temp_dir.h"
#include "platform/shell.h"
#include "services/message_boxes.h"
#include "test_paths.h"
#include "windows/help_topics.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

class MainWindowMenusTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    fakes::FakeWindowRegistry windows;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    std::vector<std::string> opened;
    OpenAddress open = [this](const std::string& target) {
        opened.push_back(target);
        return shell_result::kStarted;
    };
    HelpTopics help{fs::path(KELVO_RESOURCES_DIR) / "help", dir.path(), open, boxes};
    MainWindowMenusLogic menus{help, open, windows, boxes};
};

TEST_F(MainWindowMenusTest, DialogsHideTheMainWindowInTheirOrder) {
    windows.known = {"frmcreateprofile", "frmselectprofile", "frmlocalsearchsettings"};
    ASSERT_TRUE(menus.activate("mnuCreateProfile"));
    ASSERT_TRUE(menus.activate("mnuSelectProfile"));
    ASSERT_TRUE(menus.activate("cmdSearchHelp"));
    EXPECT_EQ(windows.calls,
              (std::vector<std::string>{
                  "show frmcreateprofile", "hide mouse", "hide mouse", "show frmselectprofile",
                  "hide mouse", "show frmlocalsearchsettings", "topmost frmlocalsearchsettings on",
                  "topmost frmlocalsearchsettings off", "front frmlocalsearchsettings"}));
}

TEST_F(MainWindowMenusTest, WhatIsNotInTheProgramYetSaysSoAndKeepsTheMainWindow) {
    for (const char* control : {"mnuAbout", "mnuConfigureMic", "Command3"}) {
        ASSERT_TRUE(menus.activate(control));
    }
    EXPECT_TRUE(windows.calls.empty());
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].message,
              "The About window is not part of this version of kelvo yet.");
    EXPECT_FALSE(menus.activate("mnuNoSuchItem"));
}

TEST_F(MainWindowMenusTest, HelpButtonsAndWebPages) {
    for (const char* control :
         {"Command7", "Command8", "mnuTutorial", "Command15", "TakeASurvey"}) {
        ASSERT_TRUE(menus.activate(control));
    }
    ASSERT_EQ(opened.size(), 5u);
    EXPECT_EQ(opened[0], opened[1]); // the two local-search buttons share a topic
    EXPECT_EQ(opened[2], "https://kelvo.example.org/demo_tutorial.php?view=tutorial1");
    EXPECT_EQ(opened[3], opened[2]);
    EXPECT_TRUE(opened[4].starts_with("https://") &&
                opened[4].find("/s.aspx?sm=") != std::string::npos);
    bool replaced = false;
    menus.setHandler("Command3", [&replaced] { replaced = true; });
    ASSERT_TRUE(menus.activate("Command3"));
    EXPECT_TRUE(replaced);
}

} // namespace
} // namespace kelvo
