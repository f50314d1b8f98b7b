#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace kelvo {

/// The first child of the grammar element that is a rule named exactly
/// phrase. Children without a NAME (comments, definitions) are skipped.
pugi::xml_node findNamedRule(const pugi::xml_node& grammar, std::string_view phrase);

/// True when an alternative of some phrase list (`L`) of the document reads
/// as the phrase once its "+" and "-" marks and P tags are blanks.
bool phraseListsHold(const pugi::xml_node& root, std::string_view phrase);

/// An alternative of a phrase list as the duplicate check reads it: every
/// "+", "-", "</P><P>", "</P>" and "<P>" replaced by one blank each.
std::string plainAlternative(std::string_view text);

/// Appends the rule of a custom command: NAME the phrase, TOPLEVEL
/// "ACTIVE", one P holding the phrase.
void appendCustomRule(pugi::xml_node grammar, const std::string& phrase);

/// True when the rule has exactly the shape appendCustomRule gives it.
bool isCustomRule(const pugi::xml_node& rule, std::string_view phrase);

/// True when the text is a grammar the engine can listen with: well-formed,
/// its root a `Grammar` holding at least one `RULE`.
bool isWholeGrammar(std::string_view xml);

} // namespace kelvo
