#pragma once

#include "platform/speech/sphinx_command_grammar.h"
#include "platform/speech/sphinx_decoder.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace kelvo::speech {

enum class DictationTopic { None, Free, Spelling };

class PendingVocabulary;

/// The search free dictation decodes with: the one a decoder made with a
/// language model starts with.
inline constexpr const char* kDictationSearchName = "_default";

/// What the recognizer should listen for; applied between utterances.
struct ListeningState {
    std::shared_ptr<const SphinxCommandGrammar> grammar;
    bool rulesActive = false;
    DictationTopic dictation = DictationTopic::None;
    bool dictationActive = false;
    /// Free dictation hears these words first (compileVocabulary); what
    /// fits them badly goes to the general model.
    std::shared_ptr<const SphinxCommandGrammar> vocabulary;
    /// The vocabulary free dictation waits for while it compiles; the
    /// listener holds the sound until it is ready (the session ignores it).
    std::shared_ptr<const PendingVocabulary> pendingVocabulary;
};

/// The end of one utterance, or a guess while it goes on.
struct SpeechOutcome {
    enum class Kind { Recognition, FalseRecognition, Hypothesis };
    Kind kind = Kind::FalseRecognition;
    std::string text;
    /// The command rule heard; empty for dictation and false recognitions.
    std::string ruleName;
    /// Whether the utterance was heard with a poor fit (fitsPoorly);
    /// nothing for guesses and utterances too short to judge.
    std::optional<bool> poorFit;
    /// Sample positions in the stream fed so far.
    std::uint64_t speechStart = 0;
    std::uint64_t resultAt = 0;
};

/// Turns a stream of 16 kHz samples into outcomes: voice-activity detection
/// splits utterances, each decoded with the grammar or dictation in force
/// when it began. Single-threaded; the caller owns the thread.
class SphinxSession {
public:
    /// `commands` must already know the garbage words (prepareCommandDecoder).
    /// `dictation` gives the decoder that holds the dictation search (it may
    /// be `commands` itself), loading it on first use.
    /// `wordsMutex`, when given, is held while words are added to `commands`
    /// (other threads look words up in it).
    SphinxSession(SphinxDecoder& commands, std::function<SphinxDecoder*()> dictation,
                  std::mutex* wordsMutex = nullptr);
    /// Ends an utterance left open: the decoders outlive the session, and
    /// the next session on them could not start listening.
    ~SphinxSession();
    SphinxSession(const SphinxSession&) = delete;
    SphinxSession& operator=(const SphinxSession&) = delete;

    /// Takes effect at the next utterance.
    void setListeningState(ListeningState state);

    /// Feeds samples; returns the utterances that ended in them.
    Result<std::vector<SpeechOutcome>> feed(const std::int16_t* samples, std::size_t count);

    /// Silences (in 10 ms frames) that end an utterance. A finished phrase
    /// ends after the decoder's own short end silence; a phrase that a
    /// longer one continues after `continuable`; anything else (words that
    /// are no phrase yet, dictation, spelling) after `open`.
    void setEndSilences(int continuable, int open);
    static constexpr int kContinuableEndSilenceFrames = 15;
    static constexpr int kOpenEndSilenceFrames = 35;

    /// A phrase heard with a longer silence (in 10 ms frames) after its first
    /// word is rejected.
    void setLongestSilence(int frames) { m_longestSilenceFrames = frames; }
    static constexpr int kLongestSilenceFrames = 35;

    /// A phrase whose silence or filler before or after its words lasts at
    /// least `frames` and fits its sound worse than `score` (natural log per
    /// frame, against the best state) is rejected: that "silence" is speech
    /// the phrase could not explain. Quiet fits at about -3; a pause that
    /// took in the end of a long nasal, at about -5.6.
    void setSwallowedSpeech(int frames, double score) {
        m_swallowedFrames = frames;
        m_swallowedScore = score;
    }
    static constexpr int kSwallowedFrames = 15;
    static constexpr double kSwallowedScore = -5.8;

    /// No command word takes two seconds; one heard that long is noise or
    /// babble the phrase stretched over.
    static constexpr int kLongestWordFrames = 200;

    /// True while an utterance is being heard.
    bool inSpeech() const { return m_speech; }
    std::uint64_t samplesFed() const { return m_position; }

    /// Grammar searches kept ready for quick switching.
    static constexpr std::size_t kKeptGrammars = 3;
    /// Speech heard between two guesses, in samples (0.3 s): asking the
    /// decoder costs a search of its best path.
    static constexpr std::uint64_t kHypothesisInterval = 4800;
    /// The latest sound without speech that a new utterance is given again
    /// (0.1 s): the detector holds the onset of speech until it is sure of
    /// it, and a restart in that time would cut the first word.
    static constexpr std::size_t kOnsetSamples = 1600;
    /// The longest utterance a vocabulary keeps to hear again (30 s).
    static constexpr std::size_t kLongestHeardSamples = 480000;

private:
    Status begin();
    Status useGrammar(const std::shared_ptr<const SphinxCommandGrammar>& grammar);
    /// `ended`: the utterance is over, so its word timings are known.
    SpeechOutcome interpret(const std::string& hypothesis, bool ended) const;
    /// Word timings only stray speech explains: a silence or filler fitting
    /// too badly, one after the first word too long, or a word held too long.
    bool strayAroundPhrase() const;
    std::optional<SpeechOutcome> guess();
    /// The utterance just heard, decoded again with the general model.
    Result<SpeechOutcome> generalDictation();
    /// The silence, in frames, that ends the utterance as heard so far.
    int endSilenceNow() const;

    SphinxDecoder& m_commands;
    std::function<SphinxDecoder*()> m_dictationLoader;
    std::mutex* m_wordsMutex;
    SphinxDecoder* m_dictation = nullptr;
    SphinxDecoder* m_active = nullptr;
    ListeningState m_wanted;
    ListeningState m_current;
    /// The grammars whose searches the decoder keeps, least recently used
    /// first. Held here so that a grammar's search, which shares its
    /// finite-state model's unguarded reference count, is freed on this
    /// thread before any other thread can free the model.
    std::deque<std::shared_ptr<const SphinxCommandGrammar>> m_keptGrammars;
    bool m_utterance = false;
    bool m_speech = false;
    int m_continuableEndSilenceFrames = kContinuableEndSilenceFrames;
    int m_openEndSilenceFrames = kOpenEndSilenceFrames;
    int m_longestSilenceFrames = kLongestSilenceFrames;
    int m_swallowedFrames = kSwallowedFrames;
    double m_swallowedScore = kSwallowedScore;
    /// The decoder heard its end silence; the utterance may still go on.
    bool m_pausing = false;
    std::uint64_t m_pauseFrom = 0;
    std::uint64_t m_pauseLength = 0;
    std::uint64_t m_position = 0;
    std::uint64_t m_speechStart = 0;
    std::uint64_t m_lastGuessAt = 0;
    std::string m_lastGuess;
    /// The latest samples the decoder heard no speech in.
    std::vector<std::int16_t> m_onset;
    /// The utterance's sound while a vocabulary listens, for the general
    /// model to hear again.
    std::vector<std::int16_t> m_heard;
};

/// Teaches a fresh command decoder the garbage words, the supplementary
/// dictionary (one "word PHONES" line each; unknown lines are skipped) and
/// the idle and spelling searches. Call before any other search exists.
Status prepareCommandDecoder(SphinxDecoder& decoder, const std::string& supplementaryDictionary);

/// Letter names and the NATO alphabet, each with the letter it spells.
const std::vector<std::pair<std::string, char>>& spellingWords();

} // namespace kelvo::speech
