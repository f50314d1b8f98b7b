#pragma once

#include "platform/pointer_buttons.h"
#include "platform/status.h"
#include "services/app_control.h"
#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "speech/dispatch_state.h"
#include "windows/main_window_lists.h"
#include "windows/main_window_state.h"
#include "windows/main_window_view.h"
#include "windows/tray_icon_port.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// Folders and files the main window reads or writes.
struct MainWindowPaths {
    std::filesystem::path dataFolder;
    std::filesystem::path programFolder;
    std::filesystem::path autostartFolder;
    /// The running program, for the autostart entry.
    std::filesystem::path programPath;
    /// Where desktop entries of installed programs live.
    std::vector<std::filesystem::path> applicationFolders;
};

/// Work of other parts that the main window runs while it loads.
struct MainWindowHooks {
    /// Fills the catalogue lists and appends the catalogue's social rows.
    std::function<Status()> loadAllCommandLists;
    /// Fills the Custom tab's list from the custom-command store.
    std::function<Status()> loadCustomCommandList;
    /// Sleeps or wakes the listening (the tray's mute item).
    std::function<void()> toggleListening;
    /// Shows another of the program's windows by name, loading it first.
    std::function<void(std::string_view name)> showWindow;
};

/// The main window's behaviour, apart from its widgets: the load, the
/// tabs, the fixed lists, the Options page, the tray menu and the exit.
class MainWindowLogic {
public:
    /// dispatch holds what the recognition road reads and the window sets:
    /// the mouse handedness, the chosen chat program and the login switches.
    MainWindowLogic(MainWindowState& state, DispatchState& dispatch, MessageBoxState& boxState,
                    MainWindowView& view, TrayIconPort& tray, SettingsFile& settings,
                    MessageBoxes& boxes, AppControl& app, PointerButtons& pointer,
                    MainWindowPaths paths, MainWindowHooks hooks);

    /// The window's load. Runs once. An error before the start page is
    /// shown is returned to the caller; later errors end the load with the
    /// "Error" box quoting the step marker, and the window stays as far as
    /// it got.
    Status formLoad(const std::string& upgradeMessage);
    /// The step the load reached ("mm1" to "mm19").
    const std::string& stepMarker() const { return m_marker; }

    /// Removes the "Client" tab; the start-up does this once.
    void removeClientTab();
    /// Shows the page of the selected tab and hides all others.
    void tabStripClicked();
    /// Selects every tab whose Tag equals tag exactly.
    void clickTab(const std::string& tag);

    void loadBasicList();
    /// Puts back the fixed social rows (dropping any catalogue rows) and
    /// the login rows that the site switches allow.
    void loadSocialList();
    /// The balloon with the content service's message; none when empty.
    /// While the start-up's engine steps run, it waits for the welcome so
    /// that the welcome does not cover it.
    void showUpgradeMessage(const std::string& upgradeMessage);
    /// The start-up's engine steps are over, heard or not: a message still
    /// waiting for the welcome shows now.
    void startupEngineStepsDone();
    /// Fills the four music lists.
    void loadMusicList();
    /// Rebuilds every command list: fixed social rows, then the catalogue,
    /// then the custom commands. A failure is returned, the lists keep what
    /// was filled.
    Status reloadCommandLists();

    /// Ad panes 1 to 4 by their show flags; pane 2 shown hides 3 and 4.
    void setUpAdPanes(const std::array<bool, 4>& shown);

    // Options page.
    void showSplashClicked(bool checked);
    void showMainClicked(bool checked);
    void autoStartClicked(bool checked);
    void applyNewSettingClicked();
    /// Shows the current handedness on the handedness button.
    void showMouseHandedness();
    void chatProgramChosen(const std::string& name);
    void addChatClicked();
    void hideClicked();
    /// A button that opens a dialog ("frmsocialsetup", "frmjajah" ...): the
    /// main window hides until the dialog closes.
    void openDialogClicked(std::string_view name);

    // Tray icon and listening indicator.
    /// Shows a balloon, cutting title and text to what the icon holds.
    void showBalloon(const std::string& title, const std::string& text);
    /// The engine hears: the welcome balloon, the first time only.
    void welcome();
    /// "Mute/Activate Microphone" of the tray menu.
    void muteClicked();
    /// "Show kelvo": shows the window unless the welcome page is up.
    void trayShowClicked();

    // Exit.
    /// The quit button: no question.
    void exitClicked();
    /// "Close kelvo": the questionnaire may take over the exit.
    void quitFromTray();
    /// The window is going away, by any road: runs the close-down once.
    void formUnload();
    bool unloading() const { return m_unloading; }

private:
    void runLoadSteps(const std::string& upgradeMessage);
    void fillFixedList(const FixedList& list);
    void readDisplayOnStart(const char* section, CheckBox box);
    void showOnlyFrame(Frame frame);
    void fillChatPrograms();
    void readWebcamChoice();

    MainWindowState& m_state;
    DispatchState& m_dispatch;
    MessageBoxState& m_boxState;
    MainWindowView& m_view;
    TrayIconPort& m_tray;
    SettingsFile& m_settings;
    MessageBoxes& m_boxes;
    AppControl& m_app;
    PointerButtons& m_pointer;
    MainWindowPaths m_paths;
    MainWindowHooks m_hooks;
    std::string m_marker;
    bool m_loaded = false;
    bool m_unloading = false;
    int m_swapMetric = -1;
    // Until the engine hears, nothing says that kelvo listens.
    bool m_welcomed = false;
    bool m_engineStepsDone = false;
    // The server's message while it waits for the welcome.
    std::string m_heldMessage;
};

/// The site switch value counts as on only when it decodes to exactly "1".
bool siteSwitchOn(const std::string& hexValue);

} // namespace kelvo
