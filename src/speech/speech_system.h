#pragma once

#include "platform/speech/speech_engine.h"
#include "platform/tone_output.h"
#include "services/app_control.h"
#include "services/message_boxes.h"
#include "speech/engine_controller.h"
#include "speech/feedback_port.h"
#include "speech/grammar_switching.h"
#include "speech/serial_recognition_sink.h"
#include "speech/sleep_wake.h"
#include "speech/speech_state.h"

#include <filesystem>

namespace kelvo {

/// What the speech side needs from the program.
struct SpeechServices {
    speech::SpeechPlatform& platform;
    SpeechState& state;
    std::filesystem::path dataFolder;
    MessageBoxes& boxes;
    AppControl& app;
    FeedbackPort& feedback;
    ToneOutput& tone;
};

/// The speech side of the program, made once at start: the engine
/// controller, grammar switching and sleep and wake over one engine, whose
/// recognitions reach the dispatcher's sink one at a time.
class SpeechSystem {
public:
    SpeechSystem(const SpeechServices& services, speech::SpeechEventSink& dispatcher);

    SpeechSystem(const SpeechSystem&) = delete;
    SpeechSystem& operator=(const SpeechSystem&) = delete;

    EngineController& engine() { return m_engine; }
    GrammarSwitcher& grammars() { return m_grammars; }
    SleepWake& sleepWake() { return m_sleepWake; }

    /// The one command grammar; null while the engine is not running.
    speech::SpeechGrammar* grammar() { return m_engine.objects().grammar.get(); }

private:
    SerialRecognitionSink m_serial;
    EngineController m_engine;
    GrammarSwitcher m_grammars;
    SleepWake m_sleepWake;
};

} // namespace kelvo
