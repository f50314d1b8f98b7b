#pragma once

#include "platform/speech/speech_events.h"

#include <deque>

namespace kelvo {

/// Hands events on to the dispatcher one recognition at a time. Handling a
/// recognition lets pending events run (grammar reloads, beeps, boxes), so a
/// second recognition can arrive inside the first; it is kept and handled
/// right after the first one ends, in arrival order. Other events pass
/// straight through.
class SerialRecognitionSink : public speech::SpeechEventSink {
public:
    explicit SerialRecognitionSink(speech::SpeechEventSink& target) : m_target(target) {}

    void onRecognition(const speech::PhraseEvent& event) override;
    void onHypothesis(const speech::PhraseEvent& event) override { m_target.onHypothesis(event); }
    void onFalseRecognition(const speech::PhraseEvent& event) override {
        m_target.onFalseRecognition(event);
    }
    void onInterference(const speech::InterferenceEvent& event) override {
        m_target.onInterference(event);
    }
    void onRequestUI(const speech::RequestUiEvent& event) override { m_target.onRequestUI(event); }

    /// True while a recognition is being handled.
    bool busy() const { return m_busy; }

private:
    speech::SpeechEventSink& m_target;
    std::deque<speech::PhraseEvent> m_waiting;
    bool m_busy = false;
};

} // namespace kelvo
