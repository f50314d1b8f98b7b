#include "windows/splash_logic.h"

#include "fakes/fake_dialog_views.h"
#include "fakes/fake_error_sink.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

class SplashLogicTest : public ::testing::Test {
protected:
    std::string setting() {
        return SettingsFile(dir / "mouse.ini", errors).readIni("Splash", "DisplayOnStart", "", 10);
    }

    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    fakes::FakeSplashView view;
    SplashLogic logic{view, dir.path(), errors};
};

TEST_F(SplashLogicTest, TheCheckBoxWritesAtOnceAndTickingTwiceLeavesItShown) {
    logic.doNotShowClicked(true);
    EXPECT_EQ(setting(), "False");
    logic.doNotShowClicked(false);
    EXPECT_EQ(setting(), "True");
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(SplashLogicTest, ShowsThePageModallyForFiveSeconds) {
    ASSERT_TRUE(writeFileAtomically(dir / "splash.html", "<p>hello</p>").ok());
    view.duringModal = [this] { logic.timerFired(); };
    logic.showModal();
    EXPECT_EQ(view.page, "<p>hello</p>");
    EXPECT_EQ(view.caption, "Welcome");
    EXPECT_EQ(view.timerMs, 5000);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"show modal", "close"}));
}

TEST_F(SplashLogicTest, FailuresAreReportedUnderTheirCodes) {
    // A missing page is no failure: a plain welcome shows instead.
    logic.showModal();
    EXPECT_NE(view.page.find("Welcome to kelvo"), std::string::npos);
    EXPECT_TRUE(errors.reports.empty());

    std::filesystem::create_directory(dir / "splash.html");
    logic.showModal();
    std::filesystem::create_directory(dir / "mouse.ini");
    logic.doNotShowClicked(true);
    ASSERT_EQ(errors.reports.size(), 2u);
    EXPECT_EQ(errors.reports[0].location, "FsplPloa");
    EXPECT_EQ(errors.reports[1].location, "FsplPcl");
}

} // namespace
} // namespace kelvo
