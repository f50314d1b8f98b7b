// Time from building the main window to its first paint: construction,
// the load (lists, settings, chat-program detection) and the paint. The
// whole-process figure (exec to first paint) comes from
// scripts/screenshot-tabs.sh, which prints the program's own report.
#include "platform/pointer_buttons.h"
#include "quiet_ports.h"
#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "ui/main_window.h"
#include "ui/main_window_parts.h"
#include "ui/tray_icon.h"
#include "windows/main_window_logic.h"

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

using namespace kelvo;

QApplication& application() {
    static int argc = 1;
    static char name[] = "ui_first_paint_bench";
    static char* argv[] = {name, nullptr};
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    static QApplication app(argc, argv);
    return app;
}

void BM_MainWindowToFirstPaint(benchmark::State& run) {
    application();
    const std::filesystem::path data = std::filesystem::temp_directory_path() / "kelvo-paint-bench";
    std::filesystem::create_directories(data);
    bench::QuietDialogs dialogs;
    bench::QuietApp app;
    MessageBoxState boxState;
    MessageBoxes boxes(boxState, dialogs, app);
    SettingsFile settings(data / "mouse.ini", boxes);
    UnavailablePointerButtons pointer;
    for (auto _ : run) {
        MainWindowState state;
        MainWindow window;
        TrayIcon tray(window.trayMenuActions());
        DispatchState dispatch;
        MainWindowLogic logic(state, dispatch, boxState, window, tray, settings, boxes, app,
                              pointer,
                              mainWindowPaths(data, KELVO_RESOURCES_DIR, data / "autostart"), {});
        window.setLogic(&logic);
        bool painted = false;
        QObject::connect(&window, &MainWindow::firstPainted, [&] { painted = true; });
        (void)logic.formLoad("");
        logic.removeClientTab();
        logic.loadMusicList();
        window.show();
        while (!painted) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        benchmark::DoNotOptimize(state.chatPrograms.size());
    }
    std::filesystem::remove_all(data);
}
BENCHMARK(BM_MainWindowToFirstPaint)->Unit(benchmark::kMillisecond);

} // namespace
