#include "platform/speech/sphinx_lexicon.h"

#include <cstdio>

namespace kelvo::speech {

DecoderLexicon::DecoderLexicon(SphinxDecoder& decoder, EspeakPronouncer pronouncer)
    : m_decoder(decoder), m_pronouncer(std::move(pronouncer)) {}

std::vector<std::string> DecoderLexicon::variants(const std::string& word) {
    std::lock_guard lock(m_mutex);
    return m_decoder.variants(word);
}

std::map<std::string, std::string>
DecoderLexicon::pronounce(const std::vector<std::string>& words) {
    std::map<std::string, std::string> result;
    std::vector<std::string> ask;
    for (const std::string& word : words) {
        if (auto found = m_made.find(word); found != m_made.end()) {
            result.insert(*found);
        } else {
            ask.push_back(word);
        }
    }
    if (!ask.empty()) {
        Result<std::map<std::string, std::string>> made = m_pronouncer.pronounce(ask);
        if (!made) {
            std::fprintf(stderr, "kelvo: no pronunciations for new words: %s\n",
                         made.error().message().c_str());
        } else {
            for (const auto& entry : *made) {
                m_made.insert(entry);
                result.insert(entry);
            }
        }
    }
    return result;
}

} // namespace kelvo::speech
