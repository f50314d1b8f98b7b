#pragma once

#include "platform/tone_output.h"
#include "services/app_control.h"
#include "services/message_boxes.h"
#include "speech/engine_controller.h"
#include "speech/feedback_port.h"
#include "speech/speech_state.h"

#include <cstdint>
#include <string>

namespace kelvo {

/// Modes of muteUnmute.
inline constexpr std::int16_t kModeSleep = -1;
inline constexpr std::int16_t kModeToggle = 0;
inline constexpr std::int16_t kModeWake = 1;

/// Says that kelvo is not listening (no working audio input, or the engine
/// could not start), so what the user asked for (`cannot`, e.g. "it cannot
/// be muted or activated") cannot be done now. `comesBack`: the input was
/// lost while listening and is taken up again by itself once it is back. A
/// modal notice holds its caller until it closes.
void showNotListeningNotice(MessageBoxes& boxes,
                            const std::string& cannot = "it cannot be muted or activated",
                            bool comesBack = false, bool modal = false);

/// Puts the program to sleep (only the sleep grammar listens) or wakes it,
/// and sounds the short beep before a dictation.
class SleepWake {
public:
    SleepWake(EngineController& engine, SpeechState& state, AppControl& app, FeedbackPort& feedback,
              ToneOutput& tone);

    /// Sleeps (-1), wakes (1) or toggles (0). Any pending dictation ends.
    /// `muted` and `asleep` change together, right after the new grammar
    /// loaded; a failure before that leaves them as they were. Any other
    /// mode does nothing and fails.
    Status muteUnmute(std::int16_t mode);

    /// Starts the tone and returns at once.
    void MakeBeep(std::int32_t hertz, std::int32_t milliseconds);

private:
    Result<speech::SpeechGrammar*> grammar();

    EngineController& m_engine;
    SpeechState& m_state;
    AppControl& m_app;
    FeedbackPort& m_feedback;
    ToneOutput& m_tone;
};

} // namespace kelvo
