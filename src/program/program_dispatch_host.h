#pragma once

#include "platform/shell.h"
#include "services/address_opener.h"
#include "speech/dispatch_host.h"
#include "speech/speech_system.h"

#include <filesystem>
#include <functional>
#include <string>

namespace kelvo {

/// What the recognition road needs from the main window; the UI fills it.
struct DispatchWindowHooks {
    std::function<void(const std::string& tag)> clickTab;
    std::function<std::string()> caption;
    std::function<void(const std::string& text)> setSignalText;
};

/// The recognition road's host in the running program: the speech system's
/// grammar, reloads, sleep and beep; the address opener and the shell; the
/// main window through its hooks. The speech system is made after the road
/// (it needs the road's event sink), so it is attached later. The program
/// folder is read at each use: the host is made before the start-up fixes
/// it.
class ProgramDispatchHost final : public DispatchHost {
public:
    ProgramDispatchHost(AddressOpener& opener, Shell& shell, DispatchWindowHooks window,
                        const std::filesystem::path& programFolder);
    ProgramDispatchHost(AddressOpener&, Shell&, DispatchWindowHooks,
                        std::filesystem::path&&) = delete;

    void attach(SpeechSystem& speech) { m_speech = &speech; }

    speech::SpeechGrammar* grammar() override;
    void resetGrammarDueToCounter() override;
    void muteUnmute(int mode) override;
    void makeBeep(int frequencyHz, int durationMs) override;
    void clickTab(const std::string& tag) override;
    std::string mainWindowCaption() override;
    void setSignalText(const std::string& text) override;
    Status openUrl(const std::string& target) override;
    Status startProgram(const std::vector<std::string>& arguments) override;
    std::filesystem::path programFolder() override { return m_programFolder; }

private:
    AddressOpener& m_opener;
    Shell& m_shell;
    DispatchWindowHooks m_window;
    const std::filesystem::path& m_programFolder;
    SpeechSystem* m_speech = nullptr;
};

} // namespace kelvo
