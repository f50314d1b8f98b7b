#include "program/speech_startup_hooks.h"

namespace kelvo {

void SpeechStartupHooks::controlEngine(std::string_view action, const std::string& profileName) {
    SpeechSystem* speech = m_speech();
    if (speech == nullptr) {
        m_engineRunning = false;
        return;
    }
    // The engine reports its own failures; a failed step keeps the later
    // ones from claiming a start that did not happen.
    const bool starting = action == engine_action::kCrankUpEngine;
    if (!starting && !m_engineRunning && action != engine_action::kShutdown)
        return;
    m_engineRunning = speech->engine().controlEngine(action, profileName).ok() &&
                      action != engine_action::kShutdown;
}

Status SpeechStartupHooks::loadTrainingGrammar(const std::string& grammarFile) {
    // Without a running engine there is nothing to load into, and the
    // engine has shown why already; the first run goes on to its wizard.
    SpeechSystem* speech = m_speech();
    if (speech == nullptr || !m_engineRunning) {
        return {};
    }
    // A failed load is reported by the grammar switch itself; it must not
    // end the start-up as well.
    (void)speech->grammars().LoadDifferentGrammar(grammarFile);
    return {};
}

} // namespace kelvo
