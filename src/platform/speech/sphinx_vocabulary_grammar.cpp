#include "platform/speech/sphinx_vocabulary_grammar.h"

#include "platform/speech/sphinx_accent_vowels.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace kelvo::speech {
namespace {

bool wordByte(unsigned char c) {
    // Bytes of UTF-8 letters count as letters: espeak-ng pronounces them.
    return std::isalnum(c) || c == '\'' || c >= 0x80;
}

// Words that tie a title together; nobody searches by them alone, and a
// short word on its own soaks up breaths and pauses.
bool functionWord(const std::string& word) {
    static const std::unordered_set<std::string> words{
        "a",  "an", "and", "as", "at", "be", "by",  "for", "from", "in",
        "is", "it", "its", "of", "on", "or", "the", "to",  "with"};
    return words.count(word) != 0;
}

// The words of a text; an empty word stands where a number or a stray
// letter breaks the text, since no run goes across it.
std::vector<std::string> textWords(const std::string& text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && !wordByte(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
        std::string word;
        while (i < text.size() && wordByte(static_cast<unsigned char>(text[i]))) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
            ++i;
        }
        // "rock 'n' roll": quotes around a word are no part of it.
        while (!word.empty() && word.front() == '\'') {
            word.erase(word.begin());
        }
        while (!word.empty() && word.back() == '\'') {
            word.pop_back();
        }
        bool number =
            std::any_of(word.begin(), word.end(), [](char c) { return std::isdigit(c) != 0; });
        if (number || word.size() == 1) {
            word.clear();
        }
        words.push_back(std::move(word));
    }
    return words;
}

// A vocabulary is a few words said one at a time, so each may also be heard
// as another accent says its vowels: a Scottish "tax" fits "dog" better than
// the dictionary's "tax". Commands keep to their own variants: the forms are
// entries of their own ("tax(v1)"), which the word's "(2)", "(3)" never reach.
void addAccentVowelForms(ResolvedWords& resolved, SphinxLexicon& lexicon) {
    std::unordered_map<std::string, std::string> made(resolved.newWords.begin(),
                                                      resolved.newWords.end());
    std::set<std::string> words;
    for (const auto& [token, parts] : resolved.resolved) {
        words.insert(parts.begin(), parts.end());
    }
    for (const std::string& word : words) {
        std::vector<std::string>& entries = resolved.variantsOf[word];
        std::set<std::string> have;
        for (const std::string& entry : entries) {
            auto found = made.find(entry);
            have.insert(found != made.end() ? found->second : lexicon.phones(entry));
        }
        std::set<std::string> forms;
        for (const std::string& phones : have) {
            for (std::string& form : accentVowelForms(phones)) {
                if (!have.count(form)) {
                    forms.insert(std::move(form));
                }
            }
        }
        // Sorted, so the same word names the same form alike in every
        // vocabulary; one the dictionary already holds otherwise is left out.
        int n = 0;
        for (const std::string& form : forms) {
            std::string entry = word + "(v" + std::to_string(++n) + ")";
            std::string known = lexicon.phones(entry);
            if (known.empty()) {
                resolved.newWords.emplace_back(entry, form);
            }
            if (known.empty() || known == form) {
                entries.push_back(std::move(entry));
            }
        }
    }
}

// The words of a text as runs are cut from it.
std::vector<std::string> runWords(const std::string& text) {
    if (text.size() == 1 && std::isalpha(static_cast<unsigned char>(text[0]))) {
        // A text of one letter was asked for as such.
        return {std::string(1, static_cast<char>(std::tolower(text[0])))};
    }
    return textWords(text);
}

// The runs that are a text whole: the digits of a zip code, a city, its
// state. Any other run is part of a longer text.
std::set<std::vector<std::string>> wholeTexts(const std::vector<std::string>& texts) {
    std::set<std::vector<std::string>> whole;
    for (const std::string& text : texts) {
        std::vector<std::string> words = runWords(text);
        if (!words.empty() && words.size() <= kLongestVocabularyRun &&
            std::none_of(words.begin(), words.end(),
                         [](const std::string& word) { return word.empty(); }) &&
            !functionWord(words.front()) && !functionWord(words.back())) {
            whole.insert(std::move(words));
        }
    }
    return whole;
}

} // namespace

std::vector<std::vector<std::string>> vocabularyRuns(const std::vector<std::string>& texts) {
    std::vector<std::vector<std::string>> runs;
    std::set<std::vector<std::string>> seen;
    for (const std::string& text : texts) {
        std::vector<std::string> words = runWords(text);
        for (std::size_t first = 0; first < words.size(); ++first) {
            for (std::size_t last = first;
                 last < words.size() && last - first < kLongestVocabularyRun &&
                 !words[last].empty();
                 ++last) {
                if (functionWord(words[first]) || functionWord(words[last])) {
                    continue;
                }
                std::vector<std::string> run(words.begin() + static_cast<long>(first),
                                             words.begin() + static_cast<long>(last) + 1);
                if (seen.insert(run).second) {
                    runs.push_back(std::move(run));
                    if (runs.size() == kMaxVocabularyRuns) {
                        return runs;
                    }
                }
            }
        }
    }
    return runs;
}

SphinxCommandGrammar compileVocabulary(const std::vector<std::string>& texts,
                                       SphinxLexicon& lexicon, logmath_s* logmath,
                                       const SphinxVocabularyOptions& options) {
    SphinxCommandGrammar result;
    result.wordLoop = true;
    std::vector<std::vector<std::string>> runs = vocabularyRuns(texts);
    const std::set<std::vector<std::string>> whole = wholeTexts(texts);
    std::string all;
    std::vector<std::string> tokens;
    for (const std::vector<std::string>& run : runs) {
        for (const std::string& word : run) {
            all += word + ' ';
            tokens.push_back(word);
        }
        all += whole.count(run) ? "\n" : "+\n";
    }
    char key[32];
    std::snprintf(key, sizeof key, "v%016zx", std::hash<std::string>{}(all));
    result.key = key;

    ResolvedWords resolved = resolveWords(tokens, lexicon);
    addAccentVowelForms(resolved, lexicon);
    result.newWords = std::move(resolved.newWords);
    std::vector<std::vector<std::string>> sequences;
    PhraseSequence sequence;
    sequence.logProb = options.runLogProb;
    sequence.partLogProb = options.partRunLogProb;
    for (const std::vector<std::string>& run : runs) {
        std::vector<std::string> words;
        bool pronounced = true;
        for (const std::string& token : run) {
            auto found = resolved.resolved.find(token);
            if (found == resolved.resolved.end()) {
                pronounced = false;
                break;
            }
            words.insert(words.end(), found->second.begin(), found->second.end());
        }
        if (!pronounced) {
            continue;
        }
        for (const std::string& word : words) {
            result.phrases.try_emplace(word, SphinxCommandGrammar::Entry{"", word, false});
        }
        sequences.push_back(std::move(words));
        sequence.parts.push_back(!whole.count(run));
    }
    if (sequences.empty()) {
        return result;
    }
    GarbageLoop garbage;
    garbage.wordLogProb = options.garbagePhoneLogProb;
    if (options.garbagePhoneLogProb != 0.0) {
        for (const auto& [word, phones] : garbageWords()) {
            garbage.words.push_back(word);
        }
    }
    auto variants = [&](const std::string& word) { return resolved.variantsOf[word]; };
    result.fsg = buildPhraseFsg(result.key, sequences, variants, logmath, options.languageWeight,
                                &garbage, &sequence);
    return result;
}

} // namespace kelvo::speech
