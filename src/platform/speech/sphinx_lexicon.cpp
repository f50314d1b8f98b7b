#include "platform/speech/sphinx_lexicon.h"

#include <algorithm>
#include <cstdio>
#include <future>
#include <set>

namespace kelvo::speech {

std::vector<std::string> DecoderLexicon::defaultAccentVoices() {
    // More voices let more stray speech through than they win.
    return {"en-gb"};
}

DecoderLexicon::DecoderLexicon(SphinxDecoder& decoder, EspeakPronouncer pronouncer,
                               std::vector<std::string> accentVoices)
    : m_decoder(decoder), m_pronouncer(std::move(pronouncer)),
      m_accentVoices(std::move(accentVoices)) {}

std::vector<std::string> DecoderLexicon::variants(const std::string& word) {
    std::lock_guard lock(m_mutex);
    return m_decoder.variants(word);
}

std::string DecoderLexicon::phones(const std::string& entry) {
    std::lock_guard lock(m_mutex);
    return m_decoder.phones(entry);
}

std::map<std::string, std::string>
DecoderLexicon::pronounce(const std::vector<std::string>& words) {
    std::map<std::string, std::string> result;
    std::vector<std::string> ask;
    {
        std::lock_guard made(m_madeMutex);
        for (const std::string& word : words) {
            if (auto found = m_made.find(word); found != m_made.end()) {
                result.insert(*found);
            } else {
                ask.push_back(word);
            }
        }
    }
    if (!ask.empty()) {
        Result<std::map<std::string, std::string>> made = m_pronouncer.pronounce(ask);
        if (!made) {
            std::fprintf(stderr, "kelvo: no pronunciations for new words: %s\n",
                         made.error().message().c_str());
        } else {
            std::lock_guard kept(m_madeMutex);
            for (const auto& entry : *made) {
                m_made.insert(entry);
                result.insert(entry);
            }
        }
    }
    return result;
}

std::vector<std::pair<std::string, std::string>>
DecoderLexicon::accentVariants(const std::vector<std::string>& words,
                               const std::map<std::string, std::string>& made) {
    std::vector<std::string> ask;
    {
        std::lock_guard accents(m_madeMutex);
        for (const std::string& word : words) {
            if (!m_accents.count(word)) {
                ask.push_back(word);
            }
        }
    }
    std::map<std::string, std::vector<std::string>> said;
    if (!ask.empty() && !m_accentVoices.empty()) {
        // One espeak-ng run per voice, side by side.
        std::vector<std::future<Result<std::map<std::string, std::string>>>> runs;
        for (const std::string& voice : m_accentVoices) {
            runs.push_back(std::async(std::launch::async, [this, &ask, &voice] {
                return m_pronouncer.pronounce(ask, voice);
            }));
        }
        for (auto& run : runs) {
            Result<std::map<std::string, std::string>> voiceSaid = run.get();
            if (!voiceSaid) {
                std::fprintf(stderr, "kelvo: no accent pronunciations: %s\n",
                             voiceSaid.error().message().c_str());
                continue;
            }
            for (auto& [word, phones] : *voiceSaid) {
                std::vector<std::string>& known = said[word];
                if (std::find(known.begin(), known.end(), phones) == known.end()) {
                    known.push_back(std::move(phones));
                }
            }
        }
    }
    std::map<std::string, std::vector<std::string>> accents;
    {
        std::lock_guard kept(m_madeMutex);
        for (const std::string& word : ask) {
            m_accents.try_emplace(word, said[word]);
        }
        for (const std::string& word : words) {
            accents[word] = m_accents[word];
        }
    }

    std::vector<std::pair<std::string, std::string>> result;
    std::lock_guard lock(m_mutex);
    for (const std::string& word : words) {
        std::vector<std::string> entries = m_decoder.variants(word);
        std::set<std::string> have;
        for (const std::string& entry : entries) {
            have.insert(m_decoder.phones(entry));
        }
        if (auto found = made.find(word); found != made.end()) {
            have.insert(found->second);
        }
        std::size_t next = std::max<std::size_t>(entries.size(), 1) + 1;
        for (const std::string& phones : accents[word]) {
            if (have.insert(phones).second) {
                result.emplace_back(word + "(" + std::to_string(next++) + ")", phones);
            }
        }
    }
    return result;
}

} // namespace kelvo::speech
