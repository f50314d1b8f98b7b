#pragma once

#include "speech/speech_system.h"
#include "startup/startup_hooks.h"

#include <functional>

namespace kelvo {

/// The start-up's engine steps carried out on the speech system; every other
/// step goes to the hooks given as next.
class SpeechStartupHooks final : public StartupHooks {
public:
    /// speech gives the speech system when the first engine step runs (the
    /// main window, whose feedback it shows, is loaded by then); null when it
    /// cannot be made, and the engine steps then do nothing.
    SpeechStartupHooks(std::function<SpeechSystem*()> speech, StartupHooks& next)
        : m_speech(std::move(speech)), m_next(next) {}

    /// False once an engine step failed: the program then runs without
    /// listening and must not say it listens.
    bool engineRunning() const { return m_engineRunning; }

    void controlEngine(std::string_view action, const std::string& profileName) override;
    Status loadTrainingGrammar(const std::string& grammarFile) override;

    Status prepareStartupReport() override { return m_next.prepareStartupReport(); }
    Status postStartupReport(const std::string& summary) override {
        return m_next.postStartupReport(summary);
    }
    Status takeInStartupReply() override { return m_next.takeInStartupReply(); }
    void setBusyPointer(bool busy) override { m_next.setBusyPointer(busy); }
    Status playWelcomeSound(const std::filesystem::path& sound) override {
        return m_next.playWelcomeSound(sound);
    }
    Status showSplashModal() override { return m_next.showSplashModal(); }
    Status mergeCustomCommandsIntoGrammar() override {
        return m_next.mergeCustomCommandsIntoGrammar();
    }
    Status loadMainWindow() override { return m_next.loadMainWindow(); }
    Status loadAboutWindow() override { return m_next.loadAboutWindow(); }
    Status showAdPanes(const std::array<AdPaneView, 4>& panes) override {
        return m_next.showAdPanes(panes);
    }
    Status loadMusicLists() override { return m_next.loadMusicLists(); }
    Status showMouseHandedness() override { return m_next.showMouseHandedness(); }
    void letWindowPaint() override { m_next.letWindowPaint(); }
    Status showCreateProfileWizard() override { return m_next.showCreateProfileWizard(); }
    Status hideFirstTimeFrame() override { return m_next.hideFirstTimeFrame(); }
    Status showSelectProfileWizard() override { return m_next.showSelectProfileWizard(); }
    Status showMainWindow() override { return m_next.showMainWindow(); }

private:
    std::function<SpeechSystem*()> m_speech;
    StartupHooks& m_next;
    bool m_engineRunning = false;
};

} // namespace kelvo
