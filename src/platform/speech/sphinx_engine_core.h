#pragma once

#include "platform/speech/sphinx_lexicon.h"
#include "platform/speech/sphinx_speech_platform.h"
#include "platform/speech/sphinx_vocabulary_compiler.h"

#include <atomic>
#include <future>
#include <map>
#include <memory>

namespace kelvo::speech {

/// What every recognizer of one platform shares: the command decoder with
/// its dictionary, the lazily loaded dictation search and the compiled
/// grammars. Only one context listens at a time.
class SphinxEngineCore {
public:
    static Result<std::shared_ptr<SphinxEngineCore>> create(const SphinxPlatformOptions& options);
    /// Stops espeak-ng runs of a vocabulary still compiling, so that the
    /// program ends without waiting for them.
    ~SphinxEngineCore();

    SphinxDecoder& commands() { return *m_commands; }
    std::mutex& wordsMutex() { return m_lexicon->mutex(); }
    const SphinxPlatformOptions& options() const { return m_options; }

    /// Warms the command decoder up (warmUpDecoder), once; from the thread
    /// that decodes, before it listens.
    void warmUpCommands();

    /// Fits the command decoder to the voice profile's adaptation (an empty
    /// one: the model's own); from the thread that decodes, between
    /// utterances. A failure is logged and the model stays as it was.
    void useAdaptation(const VoiceAdaptation& adaptation);

    /// Starts reading the dictation language model in the background (once).
    void startLoadingDictation();
    /// The decoder that holds the dictation search (the command decoder),
    /// waiting for the model; null when it failed. From the decoding thread.
    SphinxDecoder* dictation();

    /// The compiled grammar for this text and active rules; the same input
    /// compiles once. UI thread only.
    std::shared_ptr<const SphinxCommandGrammar>
    compile(const std::string& xml, const XmlGrammar& parsed, const std::vector<bool>& active);

    /// The dictation vocabulary of these texts (compileVocabulary), made
    /// on the compiler's thread (SphinxVocabularyCompiler); returns at once.
    std::shared_ptr<const PendingVocabulary> vocabulary(const std::vector<std::string>& texts) {
        return m_vocabularies->request(texts);
    }

    static constexpr std::size_t kCachedGrammars = 8;

    /// Notes whether the input has no signal and returns what was noted
    /// before, so that only a change is reported, also across contexts: a
    /// new context hearing a live input is news only after a dead one. Any
    /// thread.
    bool noteSignalLost(bool lost) { return m_signalLost.exchange(lost); }

    /// True the first time only: the request for training is made at most
    /// once a run, whichever context finds recognition poor. Any thread.
    bool claimTrainingRequest() { return !m_trainingRequested.exchange(true); }

private:
    explicit SphinxEngineCore(SphinxPlatformOptions options) : m_options(std::move(options)) {}

    SphinxPlatformOptions m_options;
    std::unique_ptr<SphinxDecoder> m_commands;
    std::unique_ptr<DecoderLexicon> m_lexicon;
    std::once_flag m_commandsWarm;
    // The adaptation in force, by its values; empty: the model's own.
    std::string m_adaptationInForce;
    std::mutex m_dictationMutex;
    std::shared_future<std::shared_ptr<ngram_model_s>> m_languageModel;
    std::once_flag m_dictationSearch;
    bool m_dictationReady = false;
    std::map<std::string, std::shared_ptr<const SphinxCommandGrammar>> m_grammars;
    std::atomic<bool> m_signalLost{false};
    std::atomic<bool> m_trainingRequested{false};
    std::atomic<bool> m_ending{false};
    // Last: its thread uses the decoder and the lexicon until it is gone.
    std::unique_ptr<SphinxVocabularyCompiler> m_vocabularies;
};

} // namespace kelvo::speech
