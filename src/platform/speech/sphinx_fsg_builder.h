#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct fsg_model_s;
struct logmath_s;

namespace kelvo::speech {

struct FsgDeleter {
    void operator()(fsg_model_s* fsg) const;
};
using FsgPtr = std::unique_ptr<fsg_model_s, FsgDeleter>;

/// A path that soaks up speech the grammar does not hold: any sequence of
/// at least one of `words` (one per phone), each costing `wordLogProb`.
struct GarbageLoop {
    std::vector<std::string> words;
    /// Natural log of the probability of each garbage word; more negative
    /// rejects less.
    double wordLogProb = -10.0;
    /// The garbage may also follow the first `afterWords` words of a
    /// phrase: speech that begins as a phrase and goes on as none ("go"
    /// and a site the grammar lacks) is heard as garbage, where the whole
    /// utterance as garbage would lose to the nearest phrase.
    int afterWords = 0;
    /// Natural-log cost of garbage that follows words, once, on top of its
    /// phones' cost: a phrase heard a little unlike itself stays a phrase.
    double afterWordsLogProb = 0.0;
};

/// Phrases heard one after another (a dictation vocabulary's runs): each may
/// follow the one before it at a natural-log cost that depends on that one.
struct PhraseSequence {
    /// After a phrase not marked in `parts`.
    double logProb = 0.0;
    /// After a phrase marked in `parts`.
    double partLogProb = 0.0;
    /// By phrase index; a word sequence that is both a part and not is not.
    std::vector<bool> parts;
};

/// Builds a finite-state grammar that accepts exactly the given word
/// sequences, sharing common beginnings (a trie), so the search grows with
/// the number of distinct prefixes rather than with the number of phrases.
/// `variants` gives the dictionary entries to use for a word (the word and
/// its alternative pronunciations such as "read(2)"); the same sequence twice
/// is accepted once. With a garbage loop, an utterance may instead be heard
/// as garbage. With a `sequence`, phrases may follow one another at its
/// costs, and garbage may come between them.
FsgPtr buildPhraseFsg(const std::string& name, const std::vector<std::vector<std::string>>& phrases,
                      const std::function<std::vector<std::string>(const std::string&)>& variants,
                      logmath_s* logmath, float languageWeight, const GarbageLoop* garbage,
                      const PhraseSequence* sequence = nullptr);

/// A grammar of any sequence of one or more of the words, each costing
/// `wordLogProb` (natural log). With a garbage loop, an utterance may
/// instead be heard as garbage, never as words and garbage mixed.
FsgPtr buildWordLoopFsg(const std::string& name, const std::vector<std::string>& words,
                        logmath_s* logmath, float languageWeight,
                        const GarbageLoop* garbage = nullptr, double wordLogProb = 0.0);

/// The words and transitions of a grammar, for tests and diagnostics:
/// "from to word" per transition ("-" for an empty one), in state order.
std::vector<std::string> describeFsg(fsg_model_s* fsg);

} // namespace kelvo::speech
