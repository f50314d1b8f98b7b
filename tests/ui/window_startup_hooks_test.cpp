#include "ui/window_startup_hooks.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_startup_hooks.h"
#include "fakes/fake_window_registry.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "ui/main_window_parts.h"

#include <QTabBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

class WindowStartupHooksTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    fakes::FakeStartupHooks next;
    fakes::FakeWindowRegistry windows;
    MainWindowState state;
    DispatchState dispatch;
    MessageBoxState boxState;
    SettingsFile settings{dir / "mouse.ini", errors};
    MessageBoxes boxes{boxState, dialogs, app};
    int windowsMade = 0;
    WindowStartupHooks hooks{
        [this] {
            ++windowsMade;
            return std::make_unique<MainWindowParts>(
                MainWindowServices{state, dispatch, boxState, settings, boxes, app},
                MainWindowPaths{dir.path(), dir.path(), dir / "autostart", "/usr/bin/kelvo", {}},
                MainWindowHooks{});
        },
        next, [] { return std::string("New version"); }, windows};
};

TEST_F(WindowStartupHooksTest, WindowStepsNeedTheLoadedWindow) {
    EXPECT_FALSE(hooks.loadMusicLists().ok());
    EXPECT_FALSE(hooks.showMainWindow().ok());
    EXPECT_EQ(hooks.window(), nullptr);
}

TEST_F(WindowStartupHooksTest, LoadBuildsTheWindowOnceWithTenTabs) {
    ASSERT_TRUE(hooks.loadMainWindow().ok());
    ASSERT_TRUE(hooks.loadMainWindow().ok());
    EXPECT_EQ(windowsMade, 1);
    MainWindow& window = hooks.window()->window();
    EXPECT_EQ(window.tabStrip()->count(), 10);
    EXPECT_EQ(window.list(ListId::Basic)->topLevelItemCount(), 26);
    // The server's message waits for the engine's welcome, else the welcome
    // would cover it.
    EXPECT_TRUE(hooks.window()->tray().lastBalloon().first.empty());
    hooks.controlEngine("startListening", "");
    EXPECT_EQ(hooks.window()->tray().lastBalloon().first, "Message From Kelvo");

    ASSERT_TRUE(hooks.loadMusicLists().ok());
    EXPECT_EQ(window.list(ListId::MusicBasic)->topLevelItemCount(), 13);
    ASSERT_TRUE(hooks.hideFirstTimeFrame().ok());
    EXPECT_FALSE(window.isFrameVisible(Frame::FirstTime));
    ASSERT_TRUE(hooks.showMainWindow().ok());
    EXPECT_TRUE(window.isVisible());
    window.hide();
}

TEST_F(WindowStartupHooksTest, AShownWindowPaintsBeforeTheStartGoesOn) {
    ASSERT_TRUE(hooks.loadMainWindow().ok());
    MainWindow& window = hooks.window()->window();
    // Hidden, there is nothing to wait for.
    hooks.letWindowPaint();
    EXPECT_FALSE(window.painted());
    EXPECT_EQ(next.calls.back(), "paint");

    ASSERT_TRUE(hooks.showMainWindow().ok());
    EXPECT_FALSE(window.painted());
    hooks.letWindowPaint();
    EXPECT_TRUE(window.painted());
    window.hide();
}

TEST_F(WindowStartupHooksTest, OtherStepsGoToTheNextHooks) {
    ASSERT_TRUE(hooks.showSplashModal().ok());
    hooks.controlEngine("crankUpEngine", "me");
    hooks.setBusyPointer(true);
    ASSERT_GE(next.calls.size(), 3u);
    EXPECT_EQ(next.calls.back(), "busy");
    EXPECT_EQ(next.calls[next.calls.size() - 2], "engine:crankUpEngine:me");
}

TEST_F(WindowStartupHooksTest, TheProfileWizardsShowThroughTheRegistry) {
    ASSERT_TRUE(hooks.showCreateProfileWizard().ok());
    ASSERT_TRUE(hooks.showSelectProfileWizard().ok());
    EXPECT_EQ(windows.calls,
              (std::vector<std::string>{"show frmcreateprofile", "topmost frmcreateprofile on",
                                        "topmost frmcreateprofile off", "front frmcreateprofile",
                                        "show frmselectprofile"}));
    EXPECT_TRUE(windows.shown("frmcreateprofile"));
    // Shown here, they are done: the layers below would list them as missing.
    EXPECT_FALSE(next.called("createProfile"));
    EXPECT_FALSE(next.called("selectProfile"));
}

} // namespace
} // namespace kelvo
