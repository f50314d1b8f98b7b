#include "program/browser_windows.h"

#include "platform/ascii_text.h"
#include "platform/default_applications.h"
#include "speech/feedback.h"

#include <algorithm>
#include <filesystem>

namespace kelvo {

std::vector<std::string> browserWindowClasses(const DesktopEntry& entry) {
    std::vector<std::string> names;
    const auto add = [&names](std::string name) {
        name = asciiLowered(name);
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(std::move(name));
        }
    };
    add(entry.startupWmClass);
    add(entry.file.stem().string());
    if (auto arguments = execArguments(entry); arguments && !arguments->empty()) {
        add(std::filesystem::path(arguments->front()).filename().string());
    }
    return names;
}

int countWindowsOf(const std::vector<WindowClass>& windows, const std::vector<std::string>& names) {
    const auto named = [&names](const std::string& name) {
        return std::find(names.begin(), names.end(), asciiLowered(name)) != names.end();
    };
    return static_cast<int>(std::count_if(windows.begin(), windows.end(), [&](const auto& w) {
        return named(w.instance) || named(w.className);
    }));
}

DefaultBrowserWindows::DefaultBrowserWindows(Environment env,
                                             std::function<std::unique_ptr<Desktop>()> desktop)
    : m_env(std::move(env)), m_makeDesktop(std::move(desktop)) {}

int DefaultBrowserWindows::count() {
    const std::optional<DesktopEntry> browser =
        defaultApplicationFor(m_env, "x-scheme-handler/http");
    if (!browser) {
        return 0;
    }
    if (!m_desktop && m_makeDesktop) {
        m_desktop = m_makeDesktop();
        m_makeDesktop = nullptr;
    }
    if (!m_desktop) {
        return 0;
    }
    const auto windows = m_desktop->clientWindowClasses();
    return windows ? countWindowsOf(*windows, browserWindowClasses(*browser)) : 0;
}

BrowserWindowCheck makeBrowserWindowCheck(std::function<int()> countBrowserWindows,
                                          std::function<FeedbackPort*()> feedback) {
    return BrowserWindowCheck{std::move(countBrowserWindows), linuxMemoryLoadPercent,
                              [feedback = std::move(feedback)](const std::string& text) {
                                  if (FeedbackPort* port = feedback()) {
                                      giveFeedbackTooManyTabs(text, *port);
                                  }
                              }};
}

} // namespace kelvo
