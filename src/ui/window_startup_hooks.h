#pragma once

#include "services/window_registry.h"
#include "startup/startup_hooks.h"

#include <functional>
#include <memory>
#include <string>

namespace kelvo {

class MainWindowParts;

/// The start-up's small windows: the splash, shown modally, and the About
/// box, loaded without being shown.
struct StartupWindows {
    std::function<void()> showSplash;
    std::function<void()> loadAbout;
};

/// The start-up's window steps: the main window, the splash, the About box
/// and the profile wizards; the steps of other parts (report, sound,
/// grammar, engine) are left to the hooks given as next.
class WindowStartupHooks final : public StartupHooks {
public:
    /// makeWindow builds the window once the folders and settings are
    /// known; upgradeMessage gives the start-up reply's message when the
    /// window loads (empty for none); the profile wizards are shown
    /// through windows. A small window left out of smallWindows is left to
    /// next as well.
    WindowStartupHooks(std::function<std::unique_ptr<MainWindowParts>()> makeWindow,
                       StartupHooks& next, std::function<std::string()> upgradeMessage,
                       WindowRegistry& windows, StartupWindows smallWindows = {});
    ~WindowStartupHooks() override;

    /// The main window once loaded, else null.
    MainWindowParts* window() { return m_window.get(); }

    Status prepareStartupReport() override { return m_next.prepareStartupReport(); }
    Status postStartupReport(const std::string& summary) override {
        return m_next.postStartupReport(summary);
    }
    Status takeInStartupReply() override { return m_next.takeInStartupReply(); }
    void setBusyPointer(bool busy) override;
    Status playWelcomeSound(const std::filesystem::path& sound) override {
        return m_next.playWelcomeSound(sound);
    }
    Status showSplashModal() override;
    Status mergeCustomCommandsIntoGrammar() override {
        return m_next.mergeCustomCommandsIntoGrammar();
    }
    Status loadMainWindow() override;
    Status loadAboutWindow() override;
    Status showAdPanes(const std::array<AdPaneView, 4>& panes) override;
    Status loadMusicLists() override;
    Status showMouseHandedness() override;
    void letWindowPaint() override;
    /// Runs the engine step; after the last, the main window may show
    /// what waited for the engine.
    void controlEngine(std::string_view action, const std::string& profileName) override;
    /// Shows the create-profile wizard, raised above the others once.
    Status showCreateProfileWizard() override;
    Status loadTrainingGrammar(const std::string& grammarFile) override {
        return m_next.loadTrainingGrammar(grammarFile);
    }
    Status hideFirstTimeFrame() override;
    Status showSelectProfileWizard() override;
    Status showMainWindow() override;

private:
    std::function<std::unique_ptr<MainWindowParts>()> m_makeWindow;
    std::unique_ptr<MainWindowParts> m_window;
    StartupHooks& m_next;
    std::function<std::string()> m_upgradeMessage;
    WindowRegistry& m_windows;
    StartupWindows m_smallWindows;
};

} // namespace kelvo
