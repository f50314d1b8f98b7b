#include "ui/termination_watcher.h"

#include "fakes/event_loop_run.h"
#include "ui/qt_app_control.h"

#include <gtest/gtest.h>

#include <csignal>

namespace kelvo {
namespace {

int runLoopRaising(const std::function<void()>& raiseSignals) {
    return fakes::runInEventLoop(raiseSignals, 3000);
}

class TerminationWatcherTest : public ::testing::Test {
protected:
    QtAppControl control{[](const std::string&, const std::vector<std::string>&) { return true; }};
    int closeDowns = 0;

    void SetUp() override {
        control.setCloseDown([this] { ++closeDowns; });
    }
};

TEST_F(TerminationWatcherTest, SigtermRunsTheCloseDownOnceAndEndsTheLoop) {
    auto termination = TerminationSignals::create();
    ASSERT_TRUE(termination.ok()) << termination.error().message();
    TerminationWatcher watcher(std::move(termination).value(), [this] { control.quitProgram(); });
    EXPECT_EQ(runLoopRaising([] { std::raise(SIGTERM); }), 0);
    EXPECT_EQ(closeDowns, 1);
}

TEST_F(TerminationWatcherTest, SignalsInARowStillCloseDownOnce) {
    auto termination = TerminationSignals::create();
    ASSERT_TRUE(termination.ok());
    int ends = 0;
    TerminationWatcher watcher(std::move(termination).value(), [&] {
        ++ends;
        control.quitProgram();
    });
    EXPECT_EQ(runLoopRaising([] {
                  std::raise(SIGINT);
                  std::raise(SIGTERM);
              }),
              0);
    EXPECT_GE(ends, 1);
    EXPECT_EQ(closeDowns, 1);
}

TEST_F(TerminationWatcherTest, NoSignalNoEnd) {
    auto termination = TerminationSignals::create();
    ASSERT_TRUE(termination.ok());
    TerminationWatcher watcher(std::move(termination).value(), [this] { control.quitProgram(); });
    EXPECT_EQ(runLoopRaising([] {}), fakes::kLoopNotEnded);
    EXPECT_EQ(closeDowns, 0);
}

} // namespace
} // namespace kelvo
