#include "platform/speech/speech_event_relay.h"

#include <utility>

namespace kelvo::speech {

SpeechEventRelay::SpeechEventRelay(UiPoster& poster, SpeechEventSink& sink, unsigned interests)
    : m_poster(poster), m_shared(std::make_shared<Shared>()) {
    m_shared->sink = &sink;
    m_shared->interests = interests;
}

SpeechEventRelay::~SpeechEventRelay() {
    // Runs on the UI thread, as do the posted tasks that read the sink.
    m_shared->sink = nullptr;
}

unsigned SpeechEventRelay::interests() const {
    return m_shared->interests;
}

void SpeechEventRelay::setInterests(unsigned interests) {
    m_shared->interests = interests;
}

template <typename Deliver> void SpeechEventRelay::post(unsigned bit, Deliver deliver) {
    m_poster.post([shared = m_shared, bit, deliver = std::move(deliver)]() {
        // Interests are checked on delivery: a context that stopped listening
        // for an event before it ran does not get it.
        if (shared->sink != nullptr && (shared->interests & bit) != 0)
            deliver(*shared->sink);
    });
}

void SpeechEventRelay::postRecognition(PhraseEvent event) {
    post(event_interest::kRecognition,
         [event = std::move(event)](SpeechEventSink& sink) { sink.onRecognition(event); });
}

void SpeechEventRelay::postHypothesis(PhraseEvent event) {
    post(event_interest::kHypothesis,
         [event = std::move(event)](SpeechEventSink& sink) { sink.onHypothesis(event); });
}

void SpeechEventRelay::postFalseRecognition(PhraseEvent event) {
    post(event_interest::kFalseRecognition,
         [event = std::move(event)](SpeechEventSink& sink) { sink.onFalseRecognition(event); });
}

void SpeechEventRelay::postInterference(InterferenceEvent event) {
    post(event_interest::kInterference,
         [event](SpeechEventSink& sink) { sink.onInterference(event); });
}

void SpeechEventRelay::postRequestUI(RequestUiEvent event) {
    post(event_interest::kRequestUI,
         [event = std::move(event)](SpeechEventSink& sink) { sink.onRequestUI(event); });
}

void SpeechEventRelay::postInputLost(InputLostEvent event) {
    m_poster.post([shared = m_shared, event = std::move(event)]() {
        if (shared->sink != nullptr)
            shared->sink->onInputLost(event);
    });
}

} // namespace kelvo::speech
