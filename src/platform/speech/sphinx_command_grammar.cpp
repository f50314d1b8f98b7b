#include "platform/speech/sphinx_command_grammar.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <set>
#include <unordered_set>

namespace kelvo::speech {
namespace {

constexpr std::string_view kGarbagePrefix = "gbg_";

// The phone loop's phones: the plain vowels and the common consonants.
// The decoder expands each one-phone word for every phone that may follow,
// so the loop's cost grows with the square of its size; with all 39 phones
// it took 40% of the decoding time. These 29, each a little cheaper,
// reject as well.
constexpr std::array<std::string_view, 29> kPhones{
    "AA", "AE", "AH", "AO", "AY", "EH", "ER", "EY", "IH", "IY", "OW", "UW", "B", "D", "F",
    "G",  "HH", "K",  "L",  "M",  "N",  "P",  "R",  "S",  "SH", "T",  "V",  "W", "Z"};

std::string joinWords(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& word : words) {
        if (!out.empty()) {
            out += ' ';
        }
        out += word;
    }
    return out;
}

// A hyphen is silent ("e-mail"); other marks ("cnn.com") are spoken, so
// only hyphenated words are tried as their parts.
std::vector<std::string> hyphenParts(const std::string& token) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : token) {
        if (c == '-') {
            if (!part.empty()) {
                parts.push_back(std::move(part));
            }
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) {
        parts.push_back(std::move(part));
    }
    return parts;
}

// Dictionary words cannot hold blanks or the variant brackets.
bool usableAsWord(const std::string& token) {
    return !token.empty() && token.find_first_of("() \t") == std::string::npos;
}

} // namespace

std::vector<std::pair<std::string, std::string>> garbageWords() {
    std::vector<std::pair<std::string, std::string>> words;
    for (std::string_view phone : kPhones) {
        std::string word(kGarbagePrefix);
        for (char c : phone) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        words.emplace_back(std::move(word), std::string(phone));
    }
    return words;
}

bool isGarbageWord(std::string_view word) {
    return word.substr(0, kGarbagePrefix.size()) == kGarbagePrefix;
}

std::string_view baseWord(std::string_view word) {
    if (!word.empty() && word.back() == ')') {
        std::size_t open = word.rfind('(');
        if (open != std::string_view::npos && open > 0) {
            return word.substr(0, open);
        }
    }
    return word;
}

std::optional<SphinxCommandGrammar::Entry>
SphinxCommandGrammar::match(std::string_view hypothesis) const {
    std::string words;
    std::size_t i = 0;
    while (i < hypothesis.size()) {
        std::size_t end = hypothesis.find(' ', i);
        if (end == std::string_view::npos) {
            end = hypothesis.size();
        }
        std::string_view word = baseWord(hypothesis.substr(i, end - i));
        i = end + 1;
        if (word.empty() || word.front() == '<' || word.front() == '[') {
            continue; // silence and noise
        }
        if (isGarbageWord(word) || (wordLoop && !phrases.count(std::string(word)))) {
            return std::nullopt;
        }
        if (!words.empty()) {
            words += ' ';
        }
        words += word;
    }
    if (wordLoop) {
        if (words.empty()) {
            return std::nullopt;
        }
        return Entry{"", words, false};
    }
    auto found = phrases.find(words);
    if (found == phrases.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::string grammarKey(std::string_view xml, const std::vector<bool>& ruleActive) {
    std::size_t hash = std::hash<std::string_view>{}(xml);
    std::string mask;
    for (bool active : ruleActive) {
        mask += active ? '1' : '0';
    }
    hash ^= std::hash<std::string>{}(mask) + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
    char text[32];
    std::snprintf(text, sizeof text, "g%016zx", hash);
    return text;
}

ResolvedWords resolveWords(const std::vector<std::string>& tokens, SphinxLexicon& lexicon) {
    ResolvedWords result;
    auto& resolved = result.resolved;
    auto& variantsOf = result.variantsOf;
    // Each distinct word becomes one or more dictionary words.
    std::vector<std::string> unknown;
    std::unordered_set<std::string> unknownSeen;
    auto known = [&](const std::string& word) {
        auto [it, added] = variantsOf.try_emplace(word);
        if (added) {
            it->second = lexicon.variants(word);
        }
        return !it->second.empty();
    };
    for (const std::string& token : tokens) {
        if (resolved.count(token) || unknownSeen.count(token)) {
            continue;
        }
        if (known(token)) {
            resolved[token] = {token};
            continue;
        }
        std::vector<std::string> parts = hyphenParts(token);
        bool allKnown = parts.size() > 1;
        for (const std::string& part : parts) {
            allKnown = allKnown && known(part);
        }
        if (allKnown) {
            resolved[token] = parts;
        } else {
            unknownSeen.insert(token);
            if (usableAsWord(token)) {
                unknown.push_back(token);
            }
        }
    }
    std::map<std::string, std::string> made;
    if (!unknown.empty()) {
        made = lexicon.pronounce(unknown);
        for (auto& [word, phones] : made) {
            resolved[word] = {word};
            variantsOf[word] = {word};
            result.newWords.emplace_back(word, phones);
        }
    }
    // Every word may be said as another accent says it.
    std::set<std::string> used;
    for (const auto& [token, words] : resolved) {
        used.insert(words.begin(), words.end());
    }
    for (auto& [variant, phones] :
         lexicon.accentVariants(std::vector<std::string>(used.begin(), used.end()), made)) {
        variantsOf[std::string(baseWord(variant))].push_back(variant);
        result.newWords.emplace_back(std::move(variant), std::move(phones));
    }
    return result;
}

SphinxCommandGrammar compileCommandGrammar(const XmlGrammar& grammar,
                                           const std::vector<bool>& ruleActive, std::string key,
                                           SphinxLexicon& lexicon, logmath_s* logmath,
                                           const SphinxGrammarOptions& options) {
    SphinxCommandGrammar result;
    result.key = std::move(key);
    result.problems = grammar.problems;

    auto active = [&](std::size_t rule) { return rule < ruleActive.size() && ruleActive[rule]; };

    std::vector<std::string> tokens;
    for (const XmlGrammarPhrase& phrase : grammar.phrases) {
        if (active(phrase.rule)) {
            tokens.insert(tokens.end(), phrase.words.begin(), phrase.words.end());
        }
    }
    ResolvedWords words = resolveWords(tokens, lexicon);
    std::unordered_map<std::string, std::vector<std::string>>& resolved = words.resolved;
    std::unordered_map<std::string, std::vector<std::string>>& variantsOf = words.variantsOf;
    result.newWords = std::move(words.newWords);

    std::vector<std::vector<std::string>> sequences;
    std::set<std::size_t> leftOut;
    for (const XmlGrammarPhrase& phrase : grammar.phrases) {
        if (!active(phrase.rule)) {
            continue;
        }
        std::vector<std::string> words;
        std::string missing;
        for (const std::string& token : phrase.words) {
            auto found = resolved.find(token);
            if (found == resolved.end()) {
                missing = token;
                break;
            }
            words.insert(words.end(), found->second.begin(), found->second.end());
        }
        const std::string& ruleName = grammar.rules[phrase.rule].name;
        if (!missing.empty()) {
            if (leftOut.insert(phrase.rule).second) {
                result.problems.push_back(
                    {ruleName, "no pronunciation for the word \"" + missing + "\""});
            }
            continue;
        }
        auto [it, added] = result.phrases.try_emplace(
            joinWords(words), SphinxCommandGrammar::Entry{ruleName, phrase.text});
        if (added) {
            sequences.push_back(std::move(words));
        }
    }

    // A phrase that begins a longer one may still go on after a pause.
    for (const std::vector<std::string>& words : sequences) {
        std::string prefix;
        for (std::size_t i = 0; i + 1 < words.size(); ++i) {
            prefix += (i ? " " : "") + words[i];
            if (auto found = result.phrases.find(prefix); found != result.phrases.end()) {
                found->second.continues = true;
            }
        }
    }

    GarbageLoop garbage;
    garbage.wordLogProb = options.garbagePhoneLogProb;
    garbage.afterWords = options.garbageAfterWords;
    garbage.afterWordsLogProb = options.garbageAfterWordsLogProb;
    if (options.garbagePhoneLogProb != 0.0) {
        for (const auto& [word, phones] : garbageWords()) {
            garbage.words.push_back(word);
        }
    }
    auto variants = [&](const std::string& word) { return variantsOf[word]; };
    if (!sequences.empty()) {
        result.fsg = buildPhraseFsg(result.key, sequences, variants, logmath,
                                    options.languageWeight, &garbage);
    }
    return result;
}

} // namespace kelvo::speech
