#pragma once

#include "platform/status.h"
#include "services/error_sink.h"
#include "speech/catalogue_files.h"

#include <pugixml.hpp>

#include <cstddef>
#include <string>
#include <vector>

namespace kelvo {

/// Adds a rule for every phrase that no named rule of the grammar document
/// already reads as, in order; returns how many were added. Running it again
/// adds nothing. Empty phrases and phrases XML cannot hold get no rule.
/// Linear: the rules are indexed once.
std::size_t mergePhrasesIntoGrammar(pugi::xml_document& grammarDoc, pugi::xml_node grammar,
                                    const std::vector<std::string>& phrases);

/// Puts every custom command of the store into the listening grammar and
/// saves it whole. A store that cannot be read (missing, broken, without
/// `cset`) adds nothing; a missing or broken grammar is reported
/// ("MutPrscg"). Either way the grammar file stays as it was.
void mergeCustomCommandsIntoGrammar(const CatalogueFiles& files, ErrorSink& errors);

} // namespace kelvo
