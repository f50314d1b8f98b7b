#include "services/browser_window_check.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

const std::string k10To15 =
    "Your browser may have too many windows and/or tabs open. We recommend that you close a few "
    "tabs or windows to improve your computer's performance and reduce the amount of memory "
    "being used by the browser.";
const std::string k16To25First = "We *highly* recommend that you close a few browser tabs or "
                                 "browser windows.  The browser is using too much memory.";
const std::string k16To25Second = "We *highly* recommend that you close a few browser tabs or "
                                  "windows. The browser is using too much memory.";
std::string memoryMessage(int load) {
    return "Your machine is using " + std::to_string(load) +
           "% of it's memory. To improve the performance of your browser and operating system, "
           "please close a few browser tabs or browser windows to free up some memory.";
}

TEST(BrowserWindowCheckTest, MessagesByWindowCount) {
    using Messages = std::vector<std::string>;
    struct Case {
        int count;
        Messages messages;
    };
    const Case cases[] = {
        {0, {}},
        {9, {}},
        {10, {k10To15}},
        {15, {k10To15}},
        {16, {k16To25First, k16To25Second}},
        {25, {k16To25First, k16To25Second}},
        {26, {memoryMessage(83)}},
        {400, {memoryMessage(83)}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tooManyWindowsMessages(c.count, 83), c.messages) << c.count;
    }
}

TEST(BrowserWindowCheckTest, EachCheckCountsAndGivesItsWarnings) {
    std::vector<std::string> feedback;
    int windows = 0;
    int memoryReads = 0;
    const BrowserWindowCheck check{[&] { return windows; },
                                   [&] {
                                       ++memoryReads;
                                       return 91;
                                   },
                                   [&](const std::string& text) { feedback.push_back(text); }};
    windows = 9;
    runBrowserWindowCheck(check);
    EXPECT_TRUE(feedback.empty());
    windows = 16;
    runBrowserWindowCheck(check);
    EXPECT_EQ(feedback, (std::vector<std::string>{k16To25First, k16To25Second}));
    EXPECT_EQ(memoryReads, 0);
    feedback.clear();
    windows = 26;
    runBrowserWindowCheck(check);
    EXPECT_EQ(feedback, (std::vector<std::string>{memoryMessage(91)}));
}

TEST(BrowserWindowCheckTest, MemoryLoadFromMeminfo) {
    EXPECT_EQ(memoryLoadFromMeminfo("MemTotal:       16000000 kB\n"
                                    "MemFree:         1000000 kB\n"
                                    "MemAvailable:    4000000 kB\n"),
              75);
    EXPECT_EQ(memoryLoadFromMeminfo("MemTotal: 3 kB\nMemAvailable: 1 kB\n"), 67);
    EXPECT_EQ(memoryLoadFromMeminfo("MemTotal: 100 kB\n"), 0);
    EXPECT_EQ(memoryLoadFromMeminfo(""), 0);
    EXPECT_EQ(memoryLoadFromMeminfo("MemTotal: 0 kB\nMemAvailable: 0 kB\n"), 0);
    EXPECT_EQ(memoryLoadFromMeminfo("MemTotalX: 5 kB\nMemTotal: 10 kB\nMemAvailable: 10 kB"), 0);
}

TEST(BrowserWindowCheckTest, LinuxCheckReadsARealMemoryLoad) {
    const int load = linuxMemoryLoadPercent();
    EXPECT_GT(load, 0);
    EXPECT_LE(load, 100);
}

} // namespace
} // namespace kelvo
