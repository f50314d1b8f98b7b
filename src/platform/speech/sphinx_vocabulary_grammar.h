#pragma once

#include "platform/speech/sphinx_command_grammar.h"

#include <string>
#include <vector>

namespace kelvo::speech {

struct SphinxVocabularyOptions {
    /// Natural-log cost of each garbage phone: speech that fits the runs
    /// worse than the phone loop by this much per phone is left to the
    /// general model. Dearer than the commands' loop: the general model
    /// hears a title word worse than a loose fit of the runs does.
    double garbagePhoneLogProb = -4.5;
    /// Natural-log cost of a run heard after one that is a text whole:
    /// texts of a word or two are said in sequence (the digits of a zip
    /// code, a city and its state).
    double runLogProb = -3.0;
    /// The same after a run that is part of a longer text: a search names a
    /// piece of one title, and a run after it is mostly a long word heard as
    /// two short ones ("hours account" for "downtown").
    double partRunLogProb = -15.0;
    float languageWeight = 6.5f;
};

/// The longest run of a text's words a vocabulary holds as one.
inline constexpr std::size_t kLongestVocabularyRun = 4;
/// The most runs a vocabulary holds; texts past them are left out.
inline constexpr std::size_t kMaxVocabularyRuns = 40000;

/// What can be said of texts as the user sees them (titles, names): every
/// run of up to kLongestVocabularyRun consecutive words, lower case, split
/// at blanks and punctuation. A run neither starts nor ends with a function
/// word ("the", "of"), and none holds a number; a text of one letter ("o"
/// of a zip code) is a run, other single letters are not. Each run once, in
/// the order of the texts, at most kMaxVocabularyRuns.
std::vector<std::vector<std::string>> vocabularyRuns(const std::vector<std::string>& texts);

/// A search that hears a sequence of the texts' runs, or garbage when the
/// speech fits them badly (the caller then asks the general model). It is a
/// word loop: match() gives the words heard.
SphinxCommandGrammar compileVocabulary(const std::vector<std::string>& texts,
                                       SphinxLexicon& lexicon, logmath_s* logmath,
                                       const SphinxVocabularyOptions& options);

} // namespace kelvo::speech
