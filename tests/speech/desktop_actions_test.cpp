#include "speech/desktop_actions.h"

#include "fakes/dispatch_rig.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

class DesktopActionsTest : public ::testing::Test {
protected:
    fakes::DispatchRig rig;
    DesktopActions& actions = rig.actions;
};

TEST_F(DesktopActionsTest, ButtonCodesFollowTheHandedness) {
    struct Case {
        int handedness;
        int code;
        const char* down; // empty: nothing is pressed
    };
    const Case cases[] = {
        {1, 1, "down primary"},
        {1, 2, "down secondary"},
        {1, 4, "down middle"},
        {2, 2, "down primary"},
        {2, 1, "down secondary"},
        {2, 4, "down middle"},
        {1, 3, ""},
        {2, 0, ""},
        {0, 1, "down primary"},
    };
    for (const Case& c : cases) {
        rig.desktop.calls.clear();
        rig.state.mouseHandedness = c.handedness;
        actions.mouseButtonDown(c.code);
        const std::vector<std::string> expected = std::string(c.down).empty()
                                                      ? std::vector<std::string>{}
                                                      : std::vector<std::string>{c.down};
        EXPECT_EQ(rig.desktop.calls, expected) << c.handedness << " " << c.code;
    }
}

TEST_F(DesktopActionsTest, ClickIsDownThenUpAndDoubleClickTwice) {
    rig.state.mouseHandedness = 1;
    actions.mouseClick(2);
    EXPECT_EQ(rig.desktop.calls, (std::vector<std::string>{"down secondary", "up secondary"}));
    rig.desktop.calls.clear();
    actions.mouseDoubleClick(1);
    EXPECT_EQ(rig.desktop.calls, (std::vector<std::string>{"down primary", "up primary",
                                                           "down primary", "up primary"}));
}

TEST_F(DesktopActionsTest, LookForAppShowsTheMissingProgramBox) {
    EXPECT_TRUE(actions.lookForApp("/bin/sh", "Shell"));
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_FALSE(actions.lookForApp("/nowhere/calc", "Calculator"));
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].kind, "modeless");
    EXPECT_EQ(rig.dialogs.shown[0].title, "Can't Open Program");
    EXPECT_EQ(rig.dialogs.shown[0].message, "Unable to find Calculator on your computer");
}

TEST_F(DesktopActionsTest, LookForWebChatChecksTheProgramPart) {
    EXPECT_EQ(webChatProgramPart("\"/opt/Chat App/chat\" --video"), "/opt/Chat App/chat");
    EXPECT_EQ(webChatProgramPart("sh -c x"), "sh");
    EXPECT_EQ(webChatProgramPart(""), "");
    EXPECT_TRUE(actions.lookForWebChat("\"/bin/sh\" -c true", "Chat"));
    EXPECT_FALSE(actions.lookForWebChat("\"/opt/none/chat\" --video", "Chat"));
    EXPECT_EQ(rig.dialogs.shown.back().message, "Unable to find Chat on your computer");
}

TEST_F(DesktopActionsTest, ActiveWindowTitle) {
    EXPECT_EQ(actions.getWindowName_Active(), "");
    rig.desktop.active = 4;
    rig.desktop.titles[4] = "Mail";
    EXPECT_EQ(actions.getWindowName_Active(), "Mail");
    rig.desktop.available = false;
    EXPECT_EQ(actions.getWindowName_Active(), "");
}

TEST_F(DesktopActionsTest, RestoreActsOnTheWindowInFront) {
    actions.restoreForegroundWindow();
    EXPECT_TRUE(rig.desktop.calls.empty());
    rig.desktop.active = 8;
    actions.restoreForegroundWindow();
    EXPECT_EQ(rig.desktop.calls, std::vector<std::string>{"restore 8"});
}

} // namespace
} // namespace kelvo
