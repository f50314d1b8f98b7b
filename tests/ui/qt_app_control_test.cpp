#include "ui/qt_app_control.h"

#include "fakes/event_loop_run.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvo {
namespace {

struct Started {
    std::string program;
    std::vector<std::string> arguments;
    bool operator==(const Started&) const = default;
};

class QtAppControlTest : public ::testing::Test {
protected:
    static int runInLoop(const std::function<void()>& action) {
        return fakes::runInEventLoop(action, 2000);
    }

    std::vector<Started> started;
    bool startSucceeds = true;
    QtAppControl control{[this](const std::string& program, const std::vector<std::string>& args) {
        started.push_back({program, args});
        return startSucceeds;
    }};
};

TEST_F(QtAppControlTest, ShutdownWaitsItsDelayThenAsksSystemdToPowerOff) {
    control.shutdownComputer(1, "going down");
    EXPECT_TRUE(started.empty());
    runInLoop([] { QTimer::singleShot(1200, [] { QCoreApplication::exit(0); }); });
    EXPECT_EQ(started, (std::vector<Started>{{"systemctl", {"poweroff", "--message=going down"}}}));
}

TEST_F(QtAppControlTest, ShutdownFallsBackToTheShutdownCommand) {
    startSucceeds = false;
    control.shutdownComputer(0, "going down");
    runInLoop([] { QTimer::singleShot(50, [] { QCoreApplication::exit(0); }); });
    EXPECT_EQ(started, (std::vector<Started>{{"systemctl", {"poweroff", "--message=going down"}},
                                             {"shutdown", {"-h", "now", "going down"}}}));
}

TEST_F(QtAppControlTest, QuitRunsTheCloseDownOnceAndEndsTheLoop) {
    int closeDowns = 0;
    control.setCloseDown([&] {
        ++closeDowns;
        control.quitProgram(); // a quit asked again from inside the close-down
    });
    const int code = runInLoop([&] {
        control.quitProgram();
        control.quitProgram();
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(closeDowns, 1);
    EXPECT_TRUE(control.ending());
}

TEST_F(QtAppControlTest, QuitWithoutACloseDownBacksUpTheStore) {
    int backups = 0;
    control.setBackupCustomStore([&] { ++backups; });
    EXPECT_EQ(runInLoop([&] { control.quitProgram(); }), 0);
    EXPECT_EQ(backups, 1);
}

TEST_F(QtAppControlTest, EndProgramNowSkipsTheCloseDown) {
    int closeDowns = 0;
    control.setCloseDown([&] { ++closeDowns; });
    EXPECT_EQ(runInLoop([&] { control.endProgramNow(); }), 0);
    EXPECT_EQ(closeDowns, 0);
    EXPECT_TRUE(control.ending());
}

TEST_F(QtAppControlTest, PumpEventsRunsWaitingEvents) {
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    control.pumpEvents();
    EXPECT_TRUE(ran);
}

TEST_F(QtAppControlTest, QuestionnaireTakesOverOnlyWhenItsCheckSaysSo) {
    EXPECT_FALSE(control.questionnaireTakesOverQuit());
    control.setQuestionnaireCheck([] { return true; });
    EXPECT_TRUE(control.questionnaireTakesOverQuit());
}

} // namespace
} // namespace kelvo
