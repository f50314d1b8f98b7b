#include "speech/grammar_merge.h"

#include "platform/atomic_file.h"
#include "speech/grammar_rules.h"
#include "speech/xml_text.h"

#include <unordered_set>

namespace kelvo {

namespace {

constexpr const char* kLocation = "MutPrscg";

} // namespace

std::size_t mergePhrasesIntoGrammar(pugi::xml_document& grammarDoc, pugi::xml_node grammar,
                                    const std::vector<std::string>& phrases) {
    std::unordered_set<std::string> present;
    for (const pugi::xml_node& rule : elementsNamed(grammarDoc, "RULE")) {
        if (rule.attribute("NAME")) {
            present.insert(wholeText(rule));
        }
    }
    std::size_t added = 0;
    for (const std::string& phrase : phrases) {
        // An empty rule or one that breaks the file would stop the engine
        // from loading the grammar at all.
        if (phrase.empty() || !isXmlSafeText(phrase) || present.count(phrase) != 0) {
            continue;
        }
        appendCustomRule(grammar, phrase);
        present.insert(phrase);
        ++added;
    }
    return added;
}

void mergeCustomCommandsIntoGrammar(const CatalogueFiles& files, ErrorSink& errors) {
    // A store that cannot be read has no command to add; the start-up has
    // told the user, and an error window here would end the program.
    pugi::xml_document store;
    if (Status loaded = loadXmlFile(store, files.customStore()); !loaded) {
        return;
    }
    const pugi::xml_node cset = firstElementNamed(store, "cset");
    if (!cset) {
        return;
    }
    pugi::xml_document grammarDoc;
    if (Status loaded = loadXmlFile(grammarDoc, files.grammar()); !loaded) {
        errors.reportError(loaded.number(), loaded.message(), kLocation);
        return;
    }
    const pugi::xml_node grammar = firstElementNamed(grammarDoc, "Grammar");
    if (!grammar) {
        errors.reportError(error_number::kInvalidCall,
                           files.grammarFile + " has no Grammar element", kLocation);
        return;
    }
    std::vector<std::string> phrases;
    for (const pugi::xml_node& command : cset.children()) {
        if (command.type() == pugi::node_element && std::string_view(command.name()) == "c") {
            phrases.push_back(wholeText(command));
        }
    }
    mergePhrasesIntoGrammar(grammarDoc, grammar, phrases);
    if (Status saved = writeFileAtomically(files.grammar(), serializeXml(grammarDoc)); !saved) {
        errors.reportError(saved.number(), saved.message(), kLocation);
    }
}

} // namespace kelvo
