#pragma once

#include "platform/key_store.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// Where the default web browser's open command is kept.
inline constexpr std::string_view kHttpOpenCommandKey = "http\\shell\\open\\command";

/// The warning that too many browser windows are open, as opening a page
/// gives it when the default browser is the one that keeps a window per
/// page.
struct BrowserWindowCheck {
    /// Shell windows open now, browser or folder.
    std::function<int()> countShellWindows;
    /// Share of the memory in use, in per cent.
    std::function<int()> memoryLoadPercent;
    /// Shows one warning to the user.
    std::function<void(const std::string&)> giveFeedbackTooManyTabs;
};

/// True when the default http open command names IEXPLORE.EXE (any case).
bool defaultBrowserCountsWindows(KeyStore& keys);

/// The warnings for that many shell windows, in the order they are given:
/// none below 10, one from 10 to 15, two from 16 to 25, and from 26 on one
/// that quotes the memory load.
std::vector<std::string> tooManyWindowsMessages(int windowCount, int memoryLoadPercent);

/// Counts the windows and warns, but only when the default browser is that
/// one; otherwise nothing is counted or said.
void runBrowserWindowCheck(KeyStore& keys, const BrowserWindowCheck& check);

/// The check as it is on Linux: the desktop has no shell window list, so
/// the count is 0; the memory load comes from /proc/meminfo.
BrowserWindowCheck makeLinuxBrowserWindowCheck(std::function<void(const std::string&)> feedback);

/// The memory load of a /proc/meminfo text: the share of MemTotal that is
/// not MemAvailable, rounded to a whole per cent; 0 when unknown.
int memoryLoadFromMeminfo(std::string_view meminfo);

} // namespace kelvo
