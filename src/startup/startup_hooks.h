#pragma once

#include "platform/status.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace kelvo {

/// One ad pane as the main window should show it.
struct AdPaneView {
    bool visible = false;
    std::filesystem::path page; // the pane's page in the data folder
};

/// The steps of the start-up that belong to the server exchange, the sound,
/// the windows and the speech engine. The start-up calls them in order; a
/// failure returned stops the start-up with the error report.
class StartupHooks {
public:
    virtual ~StartupHooks() = default;

    /// Fills the user record and builds the start-up report's form text.
    virtual Status prepareStartupReport() = 0;
    /// Posts the report with the session-log summary; only when it is due.
    virtual Status postStartupReport(const std::string& sessionSummary) = 0;
    /// Takes in the reply of the report (nothing when none was posted).
    virtual Status takeInStartupReply() = 0;
    /// Switches the mouse pointer between the hourglass and the normal one.
    virtual void setBusyPointer(bool busy) = 0;
    /// Plays the welcome sound and returns at once.
    virtual Status playWelcomeSound(const std::filesystem::path& sound) = 0;
    /// Shows the splash window and returns once it closed.
    virtual Status showSplashModal() = 0;
    /// Adds the custom commands to the listening grammar file.
    virtual Status mergeCustomCommandsIntoGrammar() = 0;
    /// Loads the main window (which fills its lists) without showing it.
    virtual Status loadMainWindow() = 0;
    /// Loads the about window without showing it.
    virtual Status loadAboutWindow() = 0;
    /// Shows or hides the four ad panes of the main window.
    virtual Status showAdPanes(const std::array<AdPaneView, 4>& panes) = 0;
    /// Fills the main window's music lists.
    virtual Status loadMusicLists() = 0;
    /// Shows which hand the mouse is set for and sets mouseHandedness.
    virtual Status showMouseHandedness() = 0;
    /// Lets a window just shown paint; returns once it has, or after a short
    /// wait. Window events may run meanwhile.
    virtual void letWindowPaint() = 0;
    /// Runs one engine action; failures are shown by the engine itself.
    virtual void controlEngine(std::string_view action, const std::string& profileName) = 0;
    /// Shows the create-profile wizard of a first run (not modal).
    virtual Status showCreateProfileWizard() = 0;
    /// Loads the training grammar file of the data folder.
    virtual Status loadTrainingGrammar(const std::string& grammarFile) = 0;
    /// Hides the main window's first-run frame.
    virtual Status hideFirstTimeFrame() = 0;
    /// Shows the select-profile wizard.
    virtual Status showSelectProfileWizard() = 0;
    /// Shows the main window.
    virtual Status showMainWindow() = 0;
};

/// The start-up's later steps while nothing fills them yet: each does
/// nothing and succeeds.
class NoStartupHooks : public StartupHooks {
public:
    Status prepareStartupReport() override { return {}; }
    Status postStartupReport(const std::string&) override { return {}; }
    Status takeInStartupReply() override { return {}; }
    void setBusyPointer(bool) override {}
    Status playWelcomeSound(const std::filesystem::path&) override { return {}; }
    Status showSplashModal() override { return {}; }
    Status mergeCustomCommandsIntoGrammar() override { return {}; }
    Status loadMainWindow() override { return {}; }
    Status loadAboutWindow() override { return {}; }
    Status showAdPanes(const std::array<AdPaneView, 4>&) override { return {}; }
    Status loadMusicLists() override { return {}; }
    Status showMouseHandedness() override { return {}; }
    void letWindowPaint() override {}
    void controlEngine(std::string_view, const std::string&) override {}
    Status showCreateProfileWizard() override { return {}; }
    Status loadTrainingGrammar(const std::string&) override { return {}; }
    Status hideFirstTimeFrame() override { return {}; }
    Status showSelectProfileWizard() override { return {}; }
    Status showMainWindow() override { return {}; }
};

} // namespace kelvo
