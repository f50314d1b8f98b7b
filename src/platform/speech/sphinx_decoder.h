#pragma once

#include "platform/speech/voice_adaptation.h"
#include "platform/status.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct ps_decoder_s;
struct fsg_model_s;
struct logmath_s;
struct ngram_model_s;

namespace kelvo::speech {

/// Where the acoustic model, the dictionary and the language model are.
struct SphinxModelPaths {
    std::filesystem::path acousticModel;
    std::filesystem::path dictionary;
    std::filesystem::path languageModel;
};

/// The installed en-us model.
SphinxModelPaths installedSphinxModel();

struct SphinxDecoderOptions {
    SphinxModelPaths model;
    /// Silence (in 10 ms frames) after which the decoder stops hearing
    /// speech: enough to end a finished phrase.
    int endSilenceFrames = 7;
    /// Loads the language model for free dictation as the first search.
    bool withLanguageModel = false;
    /// Further decoder settings as "-name", "value" pairs (for tuning).
    std::vector<std::string> extraArguments;
};

struct LanguageModelDeleter {
    void operator()(ngram_model_s* model) const;
};
using LanguageModelPtr = std::unique_ptr<ngram_model_s, LanguageModelDeleter>;

/// One PocketSphinx decoder. Not thread-safe: one thread at a time.
class SphinxDecoder {
public:
    static Result<std::unique_ptr<SphinxDecoder>> create(const SphinxDecoderOptions& options);
    ~SphinxDecoder();
    SphinxDecoder(const SphinxDecoder&) = delete;
    SphinxDecoder& operator=(const SphinxDecoder&) = delete;

    /// True when the dictionary knows the word.
    bool hasWord(const std::string& word) const;

    /// The phones of one dictionary entry ("word" or "word(2)"); empty when
    /// the dictionary lacks it.
    std::string phones(const std::string& entry) const;

    /// The dictionary entries of a word: itself, then "word(2)", "word(3)"...
    std::vector<std::string> variants(const std::string& word) const;

    /// Adds words with their phones ("HH AH L OW"). Every search is rebuilt
    /// once, so add words in one batch. Fails on an unknown phone.
    Status addWords(const std::vector<std::pair<std::string, std::string>>& words);

    logmath_s* logmath() const;
    /// The language weight grammars are scaled by.
    float languageWeight() const;

    /// Adds (or replaces) a grammar search; the decoder keeps its own
    /// reference to the grammar.
    Status addGrammarSearch(const std::string& name, fsg_model_s* fsg);
    /// Reads a language model for this decoder's settings. Touches nothing
    /// the decoding changes, so it may run on another thread meanwhile.
    Result<LanguageModelPtr> readLanguageModel(const std::filesystem::path& path) const;
    /// Adds (or replaces) a dictation search on the language model; the
    /// decoder keeps its own reference to the model.
    Status addLanguageModelSearch(const std::string& name, ngram_model_s* model);
    bool hasSearch(const std::string& name) const;
    /// Makes the search the one that decodes; only between utterances.
    Status useSearch(const std::string& name);
    std::string currentSearch() const;
    void removeSearch(const std::string& name);

    /// Streaming: start, feed 16 kHz mono samples, and watch inSpeech().
    Status startUtterance();
    Status process(const std::int16_t* samples, std::size_t count);
    bool inSpeech() const;
    /// The silence, in 10 ms frames, after which inSpeech() turns false.
    int endSilenceFrames() const;
    /// The best word string so far, while an utterance goes on.
    std::string partialHypothesis() const;
    /// The words of the last ended utterance with their first and last
    /// 10 ms frames, fillers and silence included ("<sil>", "[NOISE]").
    struct Span {
        std::string word;
        int first = 0;
        int last = 0;
        /// Natural-log acoustic score against the best state of each frame:
        /// how badly the word fits its sound (0 is a perfect fit).
        double acoustic = 0;
    };
    std::vector<Span> spans() const;
    /// Ends the utterance and gives the best word string (may be empty).
    std::string endUtterance();
    bool inUtterance() const { return m_inUtterance; }

    /// Fits the acoustic model to one voice: the cepstral means it starts
    /// from and a transform of the model's means (a checked "mllr_matrix"
    /// file). An empty adaptation puts the model's own back. Between
    /// utterances only; on failure the model is as it was.
    Status adapt(const VoiceAdaptation& adaptation);

private:
    explicit SphinxDecoder(ps_decoder_s* decoder);

    ps_decoder_s* m_decoder;
    bool m_inUtterance = false;
};

} // namespace kelvo::speech
