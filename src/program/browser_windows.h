#pragma once

#include "platform/desktop.h"
#include "platform/desktop_entry.h"
#include "platform/environment.h"
#include "services/browser_window_check.h"
#include "speech/feedback_port.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelvo {

/// The names a browser's windows carry in their WM_CLASS, in lower case: the
/// entry's StartupWMClass, the entry's file name without ".desktop" and its
/// program's file name.
std::vector<std::string> browserWindowClasses(const DesktopEntry& entry);

/// How many of the windows carry one of the names (lower case), as instance
/// or class, in any letter case.
int countWindowsOf(const std::vector<WindowClass>& windows, const std::vector<std::string>& names);

/// The top-level windows of the desktop's default web browser (the
/// x-scheme-handler/http application), counted through the window list.
/// The browser is looked up at each count, so a change of default counts.
class DefaultBrowserWindows {
public:
    /// desktop: the window list, made at the first count; null when the
    /// session has none.
    DefaultBrowserWindows(Environment env, std::function<std::unique_ptr<Desktop>()> desktop);

    /// 0 when there is no default browser or no window list.
    int count();

private:
    Environment m_env;
    std::function<std::unique_ptr<Desktop>()> m_makeDesktop;
    std::unique_ptr<Desktop> m_desktop;
};

/// The check opening a page runs: the default browser's windows, this
/// machine's memory load, and each warning raised as its own balloon through
/// giveFeedbackTooManyTabs, so the "I Heard" line stays as it was. No
/// warning is given while feedback has no port to show it on.
BrowserWindowCheck makeBrowserWindowCheck(std::function<int()> countBrowserWindows,
                                          std::function<FeedbackPort*()> feedback);

} // namespace kelvo
