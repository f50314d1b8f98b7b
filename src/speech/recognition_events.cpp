#include "speech/recognition_events.h"

#include "speech/match_key.h"

#include <utility>

namespace kelvo {

RecognitionEvents::RecognitionEvents(RecognitionDispatcher& dispatcher, DispatchState& state,
                                     DispatchHost& host,
                                     std::function<void(const speech::RequestUiEvent&)> onRequestUI)
    : m_dispatcher(dispatcher), m_state(state), m_host(host),
      m_onRequestUI(std::move(onRequestUI)) {}

void RecognitionEvents::onRecognition(const speech::PhraseEvent& event) {
    m_dispatcher.handleRecoEvent("Recognition", recognitionKey(event.text, event.recognitionType),
                                 event.text);
}

void RecognitionEvents::onHypothesis(const speech::PhraseEvent& event) {
    m_dispatcher.handleRecoEvent("Hypothesis", junkKey(event.text), event.text);
}

void RecognitionEvents::onFalseRecognition(const speech::PhraseEvent& event) {
    m_dispatcher.handleRecoEvent("FalseRecognition", junkKey(event.text), event.text);
}

void RecognitionEvents::onInterference(const speech::InterferenceEvent& event) {
    if (std::optional<std::string> signal = interferenceSignalText(event.code)) {
        m_host.setSignalText(*signal);
    }
    m_state.diagnostics.append("interference: " + interferenceText(event.code));
}

void RecognitionEvents::onRequestUI(const speech::RequestUiEvent& event) {
    if (m_onRequestUI) {
        m_onRequestUI(event);
    }
}

} // namespace kelvo
