#include "ui/main_window_parts.h"

#include "ui/custom_tab_buttons_binding.h"
#include "windows/chat_program_detection.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

namespace kelvo {

namespace {

std::unique_ptr<PointerButtons> makePointerButtons() {
    Result<std::unique_ptr<PointerButtons>> x11 = PointerButtons::create();
    if (x11) {
        return std::move(x11).value();
    }
    return std::make_unique<UnavailablePointerButtons>();
}

/// Milliseconds since this process was started by the kernel.
double millisecondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The command name may hold blanks; fields count from its closing bracket.
    const auto close = text.rfind(')');
    if (close == std::string::npos) {
        return -1;
    }
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    unsigned long long startTicks = 0;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i == 22) {
            startTicks = std::stoull(field);
        }
    }
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

} // namespace

MainWindowParts::MainWindowParts(MainWindowServices services, MainWindowPaths paths,
                                 MainWindowHooks hooks, CustomTabDialogs customTab)
    : m_pointer(makePointerButtons()), m_tray(m_window.trayMenuActions()),
      m_logic(services.state, services.dispatch, services.boxState, m_window, m_tray,
              services.settings, services.boxes, services.app, *m_pointer, std::move(paths),
              std::move(hooks)),
      m_feedback(m_window, m_tray, m_logic), m_commandLists(m_window),
      m_customTab(m_window, services.boxes, std::move(customTab)) {
    m_window.setLogic(&m_logic);
    connectCustomTabButtons(m_window, m_customTab);
}

void MainWindowParts::showIfNoTray() {
    if (!m_tray.isShown()) {
        m_logic.trayShowClicked();
    }
}

MainWindowPaths mainWindowPaths(std::filesystem::path dataFolder,
                                std::filesystem::path programFolder,
                                std::filesystem::path autostartFolder) {
    const char* home = std::getenv("HOME");
    return {std::move(dataFolder), std::move(programFolder), std::move(autostartFolder),
            QCoreApplication::applicationFilePath().toStdString(),
            applicationFolders(std::getenv("XDG_DATA_HOME"), std::getenv("XDG_DATA_DIRS"),
                               home ? home : "/")};
}

void reportFirstPaint(MainWindow& window) {
    if (std::getenv("KELVO_REPORT_FIRST_PAINT") == nullptr) {
        return;
    }
    QObject::connect(&window, &MainWindow::firstPainted, &window, [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const double cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                             (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
        std::fprintf(stderr, "kelvo: first paint %.0f ms after start (%.0f ms of processor time)\n",
                     millisecondsSinceProcessStart(), cpuMs);
    });
}

} // namespace kelvo
