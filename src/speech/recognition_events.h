#pragma once

#include "platform/speech/speech_events.h"
#include "speech/dispatch_host.h"
#include "speech/dispatch_state.h"
#include "speech/recognition_dispatcher.h"

#include <functional>

namespace kelvo {

/// The recognition context's events as the main window receives them: each
/// phrase event becomes one call of the dispatcher with its match key;
/// interference is noted, and a lost or returned signal shown in the main
/// window; a request for training goes to its handler.
class RecognitionEvents final : public speech::SpeechEventSink {
public:
    RecognitionEvents(RecognitionDispatcher& dispatcher, DispatchState& state, DispatchHost& host,
                      std::function<void(const speech::RequestUiEvent&)> onRequestUI);

    void onRecognition(const speech::PhraseEvent& event) override;
    void onHypothesis(const speech::PhraseEvent& event) override;
    void onFalseRecognition(const speech::PhraseEvent& event) override;
    void onInterference(const speech::InterferenceEvent& event) override;
    void onRequestUI(const speech::RequestUiEvent& event) override;

private:
    RecognitionDispatcher& m_dispatcher;
    DispatchState& m_state;
    DispatchHost& m_host;
    std::function<void(const speech::RequestUiEvent&)> m_onRequestUI;
};

} // namespace kelvo
