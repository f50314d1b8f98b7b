#pragma once

#include "services/app_control.h"
#include "services/message_boxes.h"
#include "speech/engine_controller.h"
#include "speech/feedback_port.h"
#include "speech/speech_state.h"

#include <functional>
#include <string>

namespace kelvo {

/// Commands counted before the grammars are reloaded.
inline constexpr int kCommandsBeforeReload = 10;

/// Swaps the grammar file loaded into the command grammar: the normal one
/// while listening, the sleep one while asleep, the training one while a
/// training screen is open.
class GrammarSwitcher {
public:
    GrammarSwitcher(EngineController& engine, SpeechState& state, MessageBoxes& boxes,
                    AppControl& app, FeedbackPort& feedback);

    /// Loads the grammar file of the data folder with dictation off and all
    /// rules active. A failure is reported ("FmouPldg") and returned; the
    /// rules may then be left inactive.
    Status LoadDifferentGrammar(const std::string& fileName);

    /// Loads the normal grammar again: rules off, load, rules on.
    Status reloadGrammar();

    /// After more than ten counted commands, zeroes the count and reloads
    /// the grammar in force: the sleep grammar while asleep, else the sleep
    /// grammar and then the normal one. Below that, does nothing.
    Status resetGrammarDueToCounter();

    /// Handles the engine's request for a screen: only "UserTraining" is
    /// asked about; a Yes runs the training with the training grammar and
    /// then loads the sleep or normal grammar again.
    /// `showTraining`, when given, is the training screen; else the
    /// engine's own.
    Status RC_RequestUI(long streamNumber, long streamPosition, const std::string& type,
                        const std::function<Status()>& showTraining = {});

private:
    Result<speech::SpeechGrammar*> grammar();
    Status loadAndActivate(const std::string& fileName);

    EngineController& m_engine;
    SpeechState& m_state;
    MessageBoxes& m_boxes;
    AppControl& m_app;
    FeedbackPort& m_feedback;
};

} // namespace kelvo
