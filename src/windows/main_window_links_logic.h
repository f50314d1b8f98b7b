#pragma once

#include "windows/generated_page.h"

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kelvo {

class HelpTopics;
class MainWindowView;
class MessageBoxes;
class Shell;
class WindowRegistry;
struct SpeechState;

/// The coupon location and picture of one ad pane for this run.
struct AdCoupon {
    std::string location;
    std::string picture;
};

/// Work of other parts that the links reach.
struct MainWindowLinksHooks {
    /// The coupon of ad pane 1 to 4 as this run has it.
    std::function<AdCoupon(int pane)> adCoupon;
    /// Opens the custom-command editor on a command, modally; false when the
    /// program has no editor.
    std::function<bool(const std::string& phrase, const std::string& target)> editCustomCommand;
    /// Loads the command grammar file again (rules off, load, rules on).
    std::function<void()> reloadCommandGrammar;
    /// Runs the microphone set-up; false when the program has none.
    std::function<bool()> microphoneSetUp;
};

/// The main window's clickable labels and pictures: the listening
/// indicator's hover, the location line, the ad panes with their coupon
/// pages, the custom list's edit, and microphone troubleshooting.
class MainWindowLinksLogic {
public:
    MainWindowLinksLogic(MainWindowView& view, const SpeechState& speech, HelpTopics& help,
                         WindowRegistry& windows, MessageBoxes& boxes, Shell& shell,
                         OpenAddress open, std::filesystem::path programFolder,
                         std::filesystem::path dataFolder, MainWindowLinksHooks hooks);

    /// The pointer is over the listening picture.
    void listeningHovered();
    /// The pointer left the listening picture.
    void listeningLeft();

    /// A click on the location line: the Local Search Settings window.
    void locationClicked();

    /// A double click on the custom list: the row's cells (phrase, target)
    /// or nothing when it was not on a row.
    void customListDoubleClicked(const std::optional<std::vector<std::string>>& row);

    /// Ad pane 1 to 4 was clicked into.
    void adPaneActivated(int pane);

    /// "Troubleshoot Microphone Problems": the help page, the microphone
    /// set-up, then the desktop's sound settings.
    void troubleshootMicrophone();

private:
    /// Asleep, or no engine hears: the indicator's grey images.
    bool notListening() const;

    MainWindowView& m_view;
    const SpeechState& m_speech;
    HelpTopics& m_help;
    WindowRegistry& m_windows;
    MessageBoxes& m_boxes;
    Shell& m_shell;
    OpenAddress m_open;
    std::filesystem::path m_programFolder;
    std::filesystem::path m_dataFolder;
    MainWindowLinksHooks m_hooks;
    bool m_hovered = false;
};

} // namespace kelvo
