#include "ui/window_startup_hooks.h"

#include "speech/engine_controller.h"
#include "ui/main_window_parts.h"

#include <QEventLoop>
#include <QTimer>

#include <utility>

namespace kelvo {

WindowStartupHooks::WindowStartupHooks(std::function<std::unique_ptr<MainWindowParts>()> makeWindow,
                                       StartupHooks& next,
                                       std::function<std::string()> upgradeMessage,
                                       WindowRegistry& windows, StartupWindows smallWindows)
    : m_makeWindow(std::move(makeWindow)), m_next(next),
      m_upgradeMessage(std::move(upgradeMessage)), m_windows(windows),
      m_smallWindows(std::move(smallWindows)) {}

Status WindowStartupHooks::showSplashModal() {
    if (!m_smallWindows.showSplash) {
        return m_next.showSplashModal();
    }
    m_smallWindows.showSplash();
    return {};
}

Status WindowStartupHooks::loadAboutWindow() {
    if (!m_smallWindows.loadAbout) {
        return m_next.loadAboutWindow();
    }
    m_smallWindows.loadAbout();
    return {};
}

WindowStartupHooks::~WindowStartupHooks() = default;

void WindowStartupHooks::setBusyPointer(bool busy) {
    if (m_window) {
        m_window->feedback().setBusyPointer(busy);
    }
    m_next.setBusyPointer(busy);
}

Status WindowStartupHooks::loadMainWindow() {
    if (m_window) {
        return {};
    }
    m_window = m_makeWindow();
    Status loaded = m_window->logic().formLoad(m_upgradeMessage ? m_upgradeMessage() : "");
    m_window->logic().removeClientTab();
    return loaded;
}

Status WindowStartupHooks::showAdPanes(const std::array<AdPaneView, 4>& panes) {
    if (!m_window) {
        return Status::failure(91, "The main window is not loaded.");
    }
    for (size_t i = 0; i < panes.size(); ++i) {
        m_window->window().setAdPane(static_cast<int>(i) + 1, panes[i].page, panes[i].visible);
    }
    return {};
}

Status WindowStartupHooks::loadMusicLists() {
    if (!m_window) {
        return Status::failure(91, "The main window is not loaded.");
    }
    m_window->logic().loadMusicList();
    return {};
}

Status WindowStartupHooks::showMouseHandedness() {
    if (!m_window) {
        return Status::failure(91, "The main window is not loaded.");
    }
    m_window->logic().showMouseHandedness();
    return {};
}

void WindowStartupHooks::controlEngine(std::string_view action, const std::string& profileName) {
    m_next.controlEngine(action, profileName);
    if (action == engine_action::kStartListening && m_window) {
        m_window->logic().startupEngineStepsDone();
    }
}

void WindowStartupHooks::letWindowPaint() {
    // Long enough for the window manager to map the window, short enough
    // that a display that never paints it does not hold up the start.
    constexpr int kLongestWaitMs = 500;
    MainWindow* shown = m_window ? &m_window->window() : nullptr;
    if (shown != nullptr && shown->isVisible() && !shown->painted()) {
        QEventLoop loop;
        QObject::connect(shown, &MainWindow::firstPainted, &loop, &QEventLoop::quit);
        QTimer::singleShot(kLongestWaitMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    m_next.letWindowPaint();
}

namespace {

// A wizard that is not there must stop the start-up with a report rather
// than leave the user with nothing to click.
Status shown(WindowRegistry& windows, std::string_view name) {
    windows.showWindow(name);
    for (const auto& loaded : windows.loadedWindows()) {
        if (loaded == name) {
            return {};
        }
    }
    return Status::failure(91, "The window " + std::string(name) + " is not available.");
}

} // namespace

Status WindowStartupHooks::showCreateProfileWizard() {
    if (Status s = shown(m_windows, kCreateProfileWindowName); !s) {
        return s;
    }
    // Above the splash and whatever else the start left, then back in the
    // normal order.
    (void)m_windows.setWindowTopMost(kCreateProfileWindowName, true);
    (void)m_windows.setWindowTopMost(kCreateProfileWindowName, false);
    m_windows.bringToFront(kCreateProfileWindowName);
    return {};
}

Status WindowStartupHooks::showSelectProfileWizard() {
    return shown(m_windows, kSelectProfileWindowName);
}

Status WindowStartupHooks::hideFirstTimeFrame() {
    if (!m_window) {
        return Status::failure(91, "The main window is not loaded.");
    }
    m_window->window().setFrameVisible(Frame::FirstTime, false);
    return {};
}

Status WindowStartupHooks::showMainWindow() {
    if (!m_window) {
        return Status::failure(91, "The main window is not loaded.");
    }
    m_window->logic().trayShowClicked();
    return {};
}

} // namespace kelvo
