#pragma once

#include "platform/speech/speech_engine.h"
#include "platform/status.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kelvo {

/// What the recognition road asks of the rest of the program: the engine's
/// grammar and its switching, the main window, and the shell. The program
/// implements it over the engine, the Qt windows and xdg-open; tests use a
/// recording fake.
class DispatchHost {
public:
    virtual ~DispatchHost() = default;

    /// The one command grammar; null while the engine is not running.
    virtual speech::SpeechGrammar* grammar() = 0;

    /// Reloads the grammars when more than 10 commands were counted.
    virtual void resetGrammarDueToCounter() = 0;

    /// Sleeps (-1), wakes (1) or toggles (0) the listening.
    virtual void muteUnmute(int mode) = 0;

    /// Sounds the short tone before a dictation.
    virtual void makeBeep(int frequencyHz, int durationMs) = 0;

    /// Selects the main window's tab with this tag ("Basic", "Places").
    virtual void clickTab(const std::string& tag) = 0;

    /// The main window's caption.
    virtual std::string mainWindowCaption() = 0;

    /// Sets the main window's signal line (the no-signal warning); an empty
    /// text clears it.
    virtual void setSignalText(const std::string& text) = 0;

    /// Opens a web address or file with the desktop's handler (xdg-open
    /// looked up on PATH). Fails when it could not be started.
    virtual Status openUrl(const std::string& target) = 0;

    /// Starts a program with this argument list, never through a shell,
    /// and does not wait for it. Fails when it could not be started.
    virtual Status startProgram(const std::vector<std::string>& arguments) = 0;

    /// The folder of the program's read-only resources (help pages).
    virtual std::filesystem::path programFolder() = 0;
};

} // namespace kelvo
