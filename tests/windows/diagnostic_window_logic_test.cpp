#include "windows/diagnostic_window_logic.h"

#include <gtest/gtest.h>

#include <map>

namespace kelvo {
namespace {

struct View : DiagnosticWindowView {
    void setCaption(const std::string& c) override { caption = c; }
    void showLines(List list, const std::deque<std::string>& l) override {
        lines[list] = l;
        ++shows;
    }
    std::string caption;
    std::map<List, std::deque<std::string>> lines;
    int shows = 0;
};

TEST(DiagnosticWindowLogic, ShowsNewLinesOnlyAndResetsEachList) {
    DiagnosticList feedback(2); // capped as the program's list is
    feedback.append("hyp: go");
    View view;
    DiagnosticWindowLogic logic(view, feedback);
    logic.open();
    EXPECT_EQ(view.caption, "Debug Form");
    EXPECT_EQ(view.lines[DiagnosticWindowView::List::Feedback].size(), 1u);
    const int shown = view.shows;
    logic.refresh();
    EXPECT_EQ(view.shows, shown); // nothing new, nothing redrawn

    // A full list still changes: the newest lines show.
    feedback.append("recog: go google");
    feedback.append("interference: 4");
    logic.refresh();
    EXPECT_EQ(view.lines[DiagnosticWindowView::List::Feedback],
              (std::deque<std::string>{"recog: go google", "interference: 4"}));
    logic.resetFeedbackList();
    EXPECT_TRUE(feedback.lines().empty());
    EXPECT_TRUE(view.lines[DiagnosticWindowView::List::Feedback].empty());
    logic.resetEngineList();
    EXPECT_TRUE(view.lines[DiagnosticWindowView::List::Engine].empty());
}

} // namespace
} // namespace kelvo
