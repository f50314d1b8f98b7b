// Any bytes as a grammar file: parsing gives rules or an error, never a
// crash, and every phrase belongs to a rule it names.
#include "platform/speech/sphinx_xml_grammar.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto grammar = kelvo::speech::parseXmlGrammar(text);
    if (!grammar.ok()) {
        return 0;
    }
    for (const auto& phrase : grammar->phrases) {
        if (phrase.rule >= grammar->rules.size() || phrase.words.empty()) {
            std::abort();
        }
    }
    (void)kelvo::speech::grammarTextWords(text);
    return 0;
}
