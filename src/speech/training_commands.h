#pragma once

#include "services/app_control.h"
#include "services/message_boxes.h"
#include "services/window_registry.h"
#include "speech/engine_controller.h"
#include "speech/feedback_port.h"
#include "speech/grammar_switching.h"
#include "speech/speech_state.h"
#include "speech/training_screens.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace kelvo {

/// The voice profile the engine listens with, as a screen works on it;
/// nothing when no engine runs or no profile exists.
std::optional<TrainingProfile> currentTrainingProfile(EngineController& engine);

/// After a training screen that completed: the engine takes up the
/// profile's new microphone and adaptation at once, without a restart. A
/// failure is logged and the engine listens as before.
void takeUpProfileChanges(EngineController& engine, const TrainingResult& result);

/// The microphone set-up the menu and the error window's help start: the
/// training grammar listens while the screen is open, the training menu is
/// disabled and the pointer busy; whatever happens, all three are put back
/// and the grammar of the sleep state in force listens again.
class MicrophoneSetupCommand {
public:
    MicrophoneSetupCommand(EngineController& engine, GrammarSwitcher& grammars, SpeechState& state,
                           FeedbackPort& feedback, AppControl& app, MessageBoxes& boxes,
                           TrainingScreens& screens, WindowRegistry& windows);

    /// RC_RequestUI's screen: voice training of the profile in use. Shows
    /// its own errors.
    Status trainCurrentProfile();

    /// mnuConfigureMic_Click. While no input works, a notice says kelvo is
    /// not listening and nothing else happens.
    TrainingResult configureMicrophone();

    /// The training start notice's screen: voice training of the profile
    /// in use, under the training grammar as the microphone set-up is; the
    /// same notice while no input works.
    TrainingResult trainProfileInUse();

private:
    /// The notice that kelvo is not listening, in place of a screen.
    TrainingResult notHearing(const std::string& cannot);
    /// Runs the screen on the profile in use (or says there is none) while
    /// the training grammar listens, then puts everything back.
    TrainingResult
    underTrainingGrammar(const std::function<TrainingResult(const TrainingProfile&)>& screen);

    EngineController& m_engine;
    GrammarSwitcher& m_grammars;
    SpeechState& m_state;
    FeedbackPort& m_feedback;
    AppControl& m_app;
    MessageBoxes& m_boxes;
    TrainingScreens& m_screens;
    WindowRegistry& m_windows;
};

} // namespace kelvo
