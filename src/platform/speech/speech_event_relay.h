#pragma once

#include "platform/speech/speech_events.h"

#include <atomic>
#include <memory>

namespace kelvo::speech {

/// Carries a context's events from any thread to its sink on the UI thread.
/// Each event is posted and, when it runs, delivered only if the context is
/// still alive and interested in it, so an event never reaches a released
/// context or arrives inside a call into the engine.
class SpeechEventRelay {
public:
    SpeechEventRelay(UiPoster& poster, SpeechEventSink& sink, unsigned interests);
    /// Detaches the sink: events posted but not yet run are dropped.
    ~SpeechEventRelay();

    SpeechEventRelay(const SpeechEventRelay&) = delete;
    SpeechEventRelay& operator=(const SpeechEventRelay&) = delete;

    unsigned interests() const;
    void setInterests(unsigned interests);

    /// Thread-safe: each posts the event to the UI thread.
    void postRecognition(PhraseEvent event);
    void postHypothesis(PhraseEvent event);
    void postFalseRecognition(PhraseEvent event);
    void postInterference(InterferenceEvent event);
    void postRequestUI(RequestUiEvent event);
    /// Delivered whatever the interests, while the context is alive.
    void postInputLost(InputLostEvent event);

private:
    struct Shared {
        SpeechEventSink* sink = nullptr;
        std::atomic<unsigned> interests{0};
    };
    template <typename Deliver> void post(unsigned bit, Deliver deliver);

    UiPoster& m_poster;
    std::shared_ptr<Shared> m_shared;
};

} // namespace kelvo::speech
