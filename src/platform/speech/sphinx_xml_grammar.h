#pragma once

#include "platform/status.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo::speech {

/// One rule of an XML command grammar.
struct XmlGrammarRule {
    std::string name;
    /// A top-level rule can be heard on its own; others are only referenced.
    bool topLevel = false;
    /// TOPLEVEL="ACTIVE" (as opposed to "INACTIVE").
    bool initiallyActive = false;
};

/// One word sequence a top-level rule accepts.
struct XmlGrammarPhrase {
    /// Lower-cased words with the "+"/"-" marks stripped.
    std::vector<std::string> words;
    /// What the recognizer reports: the grammar's own words, marks stripped,
    /// joined by single blanks.
    std::string text;
    /// Index into XmlGrammar::rules.
    std::size_t rule = 0;
};

/// A rule that was left out, and why.
struct XmlGrammarProblem {
    std::string rule;
    std::string reason;
};

struct XmlGrammar {
    std::vector<XmlGrammarRule> rules;
    std::vector<XmlGrammarPhrase> phrases;
    std::vector<XmlGrammarProblem> problems;
};

/// Most word sequences one rule may expand to; a rule with more (optional
/// parts multiply) is left out rather than blowing up the search.
inline constexpr std::size_t kMaxPhrasesPerRule = 1024;

/// Reads a command grammar: a `GRAMMAR` root of `RULE`s (`NAME`,
/// `TOPLEVEL`), phrases in `P`, alternatives in `L`, optional parts in `O`,
/// references in `RULEREF`. Element and attribute names match in any case.
/// Fails only when the text is not XML or has no grammar root; a rule that
/// cannot be expanded is left out and listed in `problems`.
Result<XmlGrammar> parseXmlGrammar(std::string_view xml);

/// Splits a phrase text into its words: blanks separate, a leading "+" or
/// "-" is a mark, trailing punctuation is dropped.
std::vector<std::string> grammarTextWords(std::string_view text);

} // namespace kelvo::speech
