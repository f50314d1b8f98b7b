#pragma once

#include "platform/speech/sphinx_fsg_builder.h"
#include "platform/speech/sphinx_xml_grammar.h"
#include "platform/status.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

struct logmath_s;

namespace kelvo::speech {

/// What the compiler needs to know about the recognizer's dictionary.
class SphinxLexicon {
public:
    virtual ~SphinxLexicon() = default;
    /// The dictionary entries of a word (itself and its alternative
    /// pronunciations); empty when the word is unknown.
    virtual std::vector<std::string> variants(const std::string& word) = 0;
    /// Pronunciations made for unknown words (word -> phones); words that
    /// cannot be pronounced are missing from the result.
    virtual std::map<std::string, std::string> pronounce(const std::vector<std::string>& words) = 0;
    /// The phones of one dictionary entry ("word" or "word(2)"); empty when
    /// the dictionary lacks it.
    virtual std::string phones(const std::string& entry) {
        (void)entry;
        return {};
    }
    /// Other accents' ways of saying the words: new dictionary entries
    /// ("word(3)", phones), each unlike every pronunciation the word has.
    /// `made` holds the pronunciations just made for unknown words.
    virtual std::vector<std::pair<std::string, std::string>>
    accentVariants(const std::vector<std::string>& words,
                   const std::map<std::string, std::string>& made) {
        (void)words;
        (void)made;
        return {};
    }
};

/// The garbage words that absorb speech outside the grammar: one per phone.
std::vector<std::pair<std::string, std::string>> garbageWords();

/// True for a word of the garbage loop.
bool isGarbageWord(std::string_view word);

/// A command grammar turned into a recognizer search.
struct SphinxCommandGrammar {
    /// Same content and same active rules give the same key.
    std::string key;
    FsgPtr fsg;
    /// Words the recognizer must learn before the search is made.
    std::vector<std::pair<std::string, std::string>> newWords;
    /// Rule names and reported texts, by phrase.
    struct Entry {
        std::string ruleName;
        std::string text;
        /// Another phrase begins with this one ("go google" and "go google
        /// maps"): a pause after it may not be the end.
        bool continues = false;
    };
    /// Keyed by the decoder words joined with single blanks.
    std::unordered_map<std::string, Entry> phrases;
    /// Rules left out, with the reason.
    std::vector<XmlGrammarProblem> problems;
    /// The phrases are single words, heard in any sequence (a dictation
    /// vocabulary): a match is any run of them, reported as its words.
    bool wordLoop = false;

    /// The phrase a hypothesis stands for; nothing for garbage, silence or a
    /// word sequence the grammar does not hold.
    std::optional<Entry> match(std::string_view hypothesis) const;
};

struct SphinxGrammarOptions {
    /// Natural-log cost of each garbage phone; 0 turns rejection off. Out of
    /// grammar speech is heard as garbage when the phone loop beats the best
    /// phrase by more than this per phone. Stray speech that a phrase wins
    /// mostly needs a silence that is no silence (see SphinxSession), so the
    /// loop can be dearer and lose fewer commands to it.
    double garbagePhoneLogProb = -2.3;
    /// The garbage may follow this many words of a phrase (GarbageLoop):
    /// "go" and a site the grammar lacks is rejected, where it was heard as
    /// the nearest site. After the first word only, and at a price: after
    /// two, or for free, it cost more commands than it saved near misses.
    int garbageAfterWords = 1;
    /// Its cost on top of the phones' (GarbageLoop::afterWordsLogProb).
    double garbageAfterWordsLogProb = -5.0;
    float languageWeight = 6.5f;
};

/// The grammar words a lexicon resolved.
struct ResolvedWords {
    /// Each word as dictionary words ("e-mail" -> "e", "mail").
    std::unordered_map<std::string, std::vector<std::string>> resolved;
    /// The dictionary entries of each dictionary word, accent forms included.
    std::unordered_map<std::string, std::vector<std::string>> variantsOf;
    /// Words the recognizer must learn first.
    std::vector<std::pair<std::string, std::string>> newWords;
};

/// Resolves words against the lexicon: known words as they are, hyphenated
/// ones by their parts, the rest pronounced; words that cannot be pronounced
/// are missing from `resolved`.
ResolvedWords resolveWords(const std::vector<std::string>& tokens, SphinxLexicon& lexicon);

/// The content key of a grammar text with some rules switched off.
std::string grammarKey(std::string_view xml, const std::vector<bool>& ruleActive);

/// Compiles a parsed grammar: every phrase of an active top-level rule whose
/// words all have a pronunciation goes into one prefix-sharing search;
/// the others are left out and listed in `problems`.
SphinxCommandGrammar compileCommandGrammar(const XmlGrammar& grammar,
                                           const std::vector<bool>& ruleActive, std::string key,
                                           SphinxLexicon& lexicon, logmath_s* logmath,
                                           const SphinxGrammarOptions& options);

/// Strips a dictionary variant mark: "read(2)" -> "read".
std::string_view baseWord(std::string_view word);

} // namespace kelvo::speech
