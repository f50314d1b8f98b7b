#pragma once

#include "platform/speech/speech_engine.h"
#include "platform/speech/speech_event_relay.h"
#include "platform/speech/sphinx_engine_core.h"
#include "platform/speech/sphinx_listener.h"
#include "platform/speech/sphinx_recognition_quality.h"
#include "platform/speech/sphinx_vocabulary_compiler.h"

#include <atomic>
#include <memory>
#include <string>

namespace kelvo::speech {

/// A recognition context of the PocketSphinx engine: its grammar state is
/// compiled here (UI thread; a dictation vocabulary on the core's compiler
/// thread) and handed to the decoder thread, whose results reach the sink
/// through the relay, always posted.
class SphinxRecoContext : public RecoContext {
public:
    /// `source` may be null: the context then hears nothing.
    /// `adaptation` is the voice profile's, applied before it listens.
    SphinxRecoContext(Recognizer& recognizer, std::shared_ptr<SphinxEngineCore> core,
                      std::shared_ptr<SpeechAudioSource> source, UiPoster& poster,
                      SpeechEventSink& sink, VoiceAdaptation adaptation = {});
    ~SphinxRecoContext() override;

    unsigned eventInterests() const override;
    Status setEventInterests(unsigned interests) override;
    Result<std::unique_ptr<SpeechGrammar>> createGrammar(int id) override;
    Recognizer& recognizer() override { return m_recognizer; }

    /// Default interests of a new context.
    static constexpr unsigned kDefaultInterests = event_interest::kHypothesis |
                                                  event_interest::kFalseRecognition |
                                                  event_interest::kInterference;

    // The grammar's state, kept by the context so the grammar object stays
    // a thin handle.
    struct GrammarState {
        bool exists = false;
        std::string xml;
        XmlGrammar parsed;
        std::vector<bool> active;
        DictationTopic topic = DictationTopic::None;
        bool dictationActive = false;
        /// Free dictation's vocabulary, ready or compiling; null: the
        /// general model alone.
        std::shared_ptr<const PendingVocabulary> vocabulary;
    };
    GrammarState& grammarState() { return m_grammar; }
    SphinxEngineCore& core() { return *m_core; }
    /// Hands the grammar state to the decoder thread.
    void publish();

    /// Listens from now on to this input with this adaptation, in the
    /// grammar state in force.
    void listenWith(std::shared_ptr<SpeechAudioSource> source, VoiceAdaptation adaptation);

    /// The input stopped (or the decoder with it): the listener has ended,
    /// and listenWith needs the input opened afresh. Any thread.
    bool inputFailed() const { return m_inputFailed; }

    /// The cell is cleared when this context goes, if it still names it.
    void watchedBy(std::weak_ptr<SphinxRecoContext*> cell) { m_watcher = std::move(cell); }

private:
    void startListening(VoiceAdaptation adaptation);

    Recognizer& m_recognizer;
    std::shared_ptr<SphinxEngineCore> m_core;
    std::shared_ptr<SpeechAudioSource> m_source;
    SpeechEventRelay m_relay;
    GrammarState m_grammar;
    // Fed on the decoder thread only.
    PoorRecognitionWatch m_quality;
    std::unique_ptr<SphinxListener> m_listener;
    std::atomic<bool> m_inputFailed{false};
    // KELVO_REPORT_LISTENING set: each switch of what is listened for is
    // written to stderr, so scripts speak only once it is in force.
    bool m_reportListening = false;
    std::string m_reported;
    std::weak_ptr<SphinxRecoContext*> m_watcher;
};

} // namespace kelvo::speech
