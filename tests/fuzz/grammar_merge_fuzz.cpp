// Any bytes as a grammar file: merging custom phrases into it never
// crashes, adds each phrase at most once, and the saved text parses again.
#include "speech/grammar_merge.h"
#include "speech/grammar_rules.h"
#include "speech/xml_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    pugi::xml_document doc;
    if (!kelvo::parseXml(doc, text, "grammar").ok()) {
        return 0;
    }
    const pugi::xml_node grammar = kelvo::firstElementNamed(doc, "Grammar");
    if (!grammar) {
        return 0;
    }
    const std::vector<std::string> phrases{"open notes", "go pets", "open notes", "x-ray"};
    (void)kelvo::phraseListsHold(doc, "go pets");
    (void)kelvo::findNamedRule(grammar, "go pets");
    kelvo::mergePhrasesIntoGrammar(doc, grammar, phrases);
    if (kelvo::mergePhrasesIntoGrammar(doc, grammar, phrases) != 0) {
        std::abort();
    }
    pugi::xml_document again;
    if (!kelvo::parseXml(again, kelvo::serializeXml(doc), "saved").ok()) {
        std::abort();
    }
    return 0;
}
