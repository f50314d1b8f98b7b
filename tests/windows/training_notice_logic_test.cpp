#include "windows/training_notice_logic.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

struct NoticeView : TrainingNoticeView {
    void setCaption(const std::string& c) override { caption = c; }
    void setTexts(const std::string&, const std::string&) override {}
    void startTimer(int ms) override { timer = ms; }
    void stopTimer() override { timer = 0; }
    void closeWindow() override {
        if (logic) {
            logic->closed(); // as the window's close event does
        }
    }
    std::string caption;
    int timer = 0;
    TrainingNoticeLogic* logic = nullptr;
};

struct Notice {
    std::vector<std::string> done;
    NoticeView view;
    TrainingNoticeLogic logic{
        view,
        {[this] { done.push_back("tutorial"); }, [this] { done.push_back("training"); },
         [this] { done.push_back("pump"); }, [this] { done.push_back("shutdown"); }}};
    Notice() { view.logic = &logic; }
};

TEST(TrainingNoticeLogic, TheProgramClosesWhicheverWayTheNoticeEnds) {
    Notice timed;
    timed.logic.open();
    EXPECT_EQ(timed.view.caption, "Train Kelvo");
    EXPECT_EQ(timed.view.timer, 6500);
    timed.logic.timerFired();
    EXPECT_EQ(timed.done, (std::vector<std::string>{"tutorial", "training", "pump", "shutdown"}));

    // Closed before the timer: nothing opens, the program still closes once.
    Notice early;
    early.logic.open();
    early.logic.closed();
    early.logic.timerFired();
    early.logic.closed();
    EXPECT_EQ(early.done, (std::vector<std::string>{"pump", "shutdown"}));
}

} // namespace
} // namespace kelvo
