#pragma once

#include "platform/pointer_buttons.h"
#include "ui/main_window.h"
#include "ui/tray_icon.h"
#include "ui/window_feedback.h"
#include "windows/custom_tab_buttons.h"
#include "windows/main_window_command_lists.h"
#include "windows/main_window_logic.h"

#include <memory>

namespace kelvo {

/// What the main window is built from.
struct MainWindowServices {
    MainWindowState& state;
    /// What the recognition road reads and the window sets (handedness,
    /// chat program, login switches).
    DispatchState& dispatch;
    MessageBoxState& boxState;
    SettingsFile& settings;
    MessageBoxes& boxes;
    AppControl& app;
};

/// The main window with its tray icon, logic and feedback, made together
/// because each needs the others.
class MainWindowParts {
public:
    /// customTab: the windows the Custom tab's buttons open.
    MainWindowParts(MainWindowServices services, MainWindowPaths paths, MainWindowHooks hooks,
                    CustomTabDialogs customTab = {});

    MainWindow& window() { return m_window; }
    TrayIcon& tray() { return m_tray; }
    MainWindowLogic& logic() { return m_logic; }
    FeedbackPort& feedback() { return m_feedback; }
    /// Where the catalogue code puts its lists.
    CommandListPort& commandLists() { return m_commandLists; }

    /// Shows the window when the desktop has no tray to reach it from, so
    /// the program never runs out of sight.
    void showIfNoTray();

private:
    std::unique_ptr<PointerButtons> m_pointer;
    MainWindow m_window;
    TrayIcon m_tray;
    MainWindowLogic m_logic;
    WindowFeedback m_feedback;
    MainWindowCommandLists m_commandLists;
    CustomTabButtons m_customTab;
};

/// The desktop-entry folders and the program's own path for this process.
MainWindowPaths mainWindowPaths(std::filesystem::path dataFolder,
                                std::filesystem::path programFolder,
                                std::filesystem::path autostartFolder);

/// Prints how long after the process started the window was first painted,
/// when KELVO_REPORT_FIRST_PAINT is set (a measuring aid, see bench/).
void reportFirstPaint(MainWindow& window);

} // namespace kelvo
