#include "startup/speech_startup_hooks.h"

namespace kelvo {

namespace {
constexpr int kObjectNotSet = 91;
}

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
    SpeechSystem* speech = m_speech();
    if (speech == nullptr || !m_engineRunning)
        return Status::failure(kObjectNotSet, "The speech engine is not running");
    return speech->grammars().LoadDifferentGrammar(grammarFile);
}

} // namespace kelvo
