#include "speech/diagnostic_list.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(DiagnosticList, KeepsTheNewestLinesUpToItsCapacity) {
    DiagnosticList list(3);
    for (int i = 1; i <= 5; ++i) {
        list.append("line " + std::to_string(i));
    }
    EXPECT_EQ(list.lines(), (std::deque<std::string>{"line 3", "line 4", "line 5"}));
    EXPECT_EQ(list.dropped(), 2u);
    list.clear();
    EXPECT_TRUE(list.lines().empty());
}

TEST(DiagnosticList, DaysOfEventsStayBounded) {
    DiagnosticList list;
    for (int i = 0; i < 100000; ++i) {
        list.append("hyp: something");
    }
    EXPECT_EQ(list.lines().size(), DiagnosticList::kDefaultCapacity);
}

} // namespace
} // namespace kelvo
