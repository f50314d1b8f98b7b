#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// The warning that too many browser windows are open, as opening a page
/// gives it.
struct BrowserWindowCheck {
    /// Top-level windows of the default web browser open now; 0 when there
    /// is no default browser or its windows cannot be counted.
    std::function<int()> countBrowserWindows;
    /// Share of the memory in use, in per cent.
    std::function<int()> memoryLoadPercent;
    /// Shows one warning to the user.
    std::function<void(const std::string&)> giveFeedbackTooManyTabs;
};

/// The warnings for that many shell windows, in the order they are given:
/// none below 10, one from 10 to 15, two from 16 to 25, and from 26 on one
/// that quotes the memory load.
std::vector<std::string> tooManyWindowsMessages(int windowCount, int memoryLoadPercent);

/// Counts the windows and gives the warnings for that count; the memory
/// load is read only when a warning quotes it.
void runBrowserWindowCheck(const BrowserWindowCheck& check);

/// The memory load of this machine, from /proc/meminfo; 0 when unknown.
int linuxMemoryLoadPercent();

/// The memory load of a /proc/meminfo text: the share of MemTotal that is
/// not MemAvailable, rounded to a whole per cent; 0 when unknown.
int memoryLoadFromMeminfo(std::string_view meminfo);

} // namespace kelvo
