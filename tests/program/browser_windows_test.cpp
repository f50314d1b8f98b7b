#include "program/browser_windows.h"

#include "fakes/fake_desktop.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_feedback_port.h"
#include "fakes/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

void write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

TEST(BrowserWindows, AnEntrysWindowClassesAndTheirCount) {
    struct Case {
        DesktopEntry entry;
        std::vector<std::string> names;
    };
    const auto entry = [](const char* file, const char* exec, const char* wmClass = "") {
        DesktopEntry made;
        made.file = file;
        made.exec = exec;
        made.startupWmClass = wmClass;
        return made;
    };
    const Case cases[] = {
        {entry("/usr/share/applications/firefox-esr.desktop",
               "/usr/lib/firefox-esr/firefox-esr %u"),
         {"firefox-esr"}},
        {entry("/usr/share/applications/chromium.desktop", "/usr/bin/chromium %U",
               "Chromium-Browser"),
         {"chromium-browser", "chromium"}},
        {entry("/x/org.example.Web.desktop", "\"web browser\" --new %u"),
         {"org.example.web", "web browser"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(browserWindowClasses(c.entry), c.names) << c.entry.file;
    }
    const std::vector<WindowClass> windows = {{"Navigator", "firefox-esr"},
                                              {"chromium", "Chromium"},
                                              {"xterm", "XTerm"},
                                              {"Navigator", "Firefox-esr"}};
    EXPECT_EQ(countWindowsOf(windows, {"firefox-esr"}), 2);
    EXPECT_EQ(countWindowsOf(windows, {"chromium-browser", "chromium"}), 1);
    EXPECT_EQ(countWindowsOf(windows, {"mail"}), 0);
}

TEST(BrowserWindows, TheDefaultBrowsersWindowsAreCountedAndWarnedOfInTheirOwnBalloon) {
    fakes::TempDir dir;
    const Environment env = fakes::environmentOf({{"HOME", (dir / "home").string()},
                                                  {"XDG_CONFIG_HOME", (dir / "config").string()},
                                                  {"XDG_CONFIG_DIRS", (dir / "etc").string()},
                                                  {"XDG_DATA_HOME", (dir / "data").string()},
                                                  {"XDG_DATA_DIRS", (dir / "system").string()},
                                                  {"PATH", "/usr/bin:/bin"}});
    auto* desktop = new fakes::FakeDesktop;
    desktop->clients.assign(12, WindowClass{"webby", "Webby"});
    desktop->clients.push_back({"Navigator", "firefox-esr"});
    DefaultBrowserWindows browser(env, [desktop] { return std::unique_ptr<Desktop>(desktop); });
    EXPECT_EQ(browser.count(), 0); // no default browser yet

    write(dir / "data" / "applications" / "webby.desktop",
          "[Desktop Entry]\nType=Application\nName=Webby\nExec=/opt/webby/webby %u\n");
    write(dir / "config" / "mimeapps.list",
          "[Default Applications]\nx-scheme-handler/http=webby.desktop\n");
    EXPECT_EQ(browser.count(), 12);

    fakes::FakeFeedbackPort port;
    port.setFeedbackText("I Heard: go google");
    port.calls.clear();
    runBrowserWindowCheck(makeBrowserWindowCheck([&] { return browser.count(); },
                                                 [&]() -> FeedbackPort* { return &port; }));
    ASSERT_FALSE(port.calls.empty());
    EXPECT_EQ(port.calls.front(),
              "balloon Too Many Browser Tabs Or Browser Windows Open|Your browser may have too "
              "many windows and/or tabs open. We recommend that you close a few tabs or windows "
              "to improve your computer's performance and reduce the amount of memory being used "
              "by the browser.");
    EXPECT_EQ(port.feedbackText, "I Heard: go google");
}

} // namespace
} // namespace kelvo
