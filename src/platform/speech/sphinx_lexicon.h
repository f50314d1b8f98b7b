#pragma once

#include "platform/speech/sphinx_command_grammar.h"
#include "platform/speech/sphinx_decoder.h"
#include "platform/speech/sphinx_pronouncer.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace kelvo::speech {

/// The command decoder's dictionary plus espeak-ng for the words it lacks.
/// Lookups may run on another thread than the decoder: words are only ever
/// added under `mutex()`. Two threads may compile grammars at once (the
/// commands on the UI thread, a vocabulary on its own).
class DecoderLexicon : public SphinxLexicon {
public:
    /// The espeak-ng voices whose pronunciations every grammar word also gets.
    static std::vector<std::string> defaultAccentVoices();

    DecoderLexicon(SphinxDecoder& decoder, EspeakPronouncer pronouncer,
                   std::vector<std::string> accentVoices = defaultAccentVoices());

    std::vector<std::string> variants(const std::string& word) override;
    std::map<std::string, std::string> pronounce(const std::vector<std::string>& words) override;
    std::string phones(const std::string& entry) override;
    std::vector<std::pair<std::string, std::string>>
    accentVariants(const std::vector<std::string>& words,
                   const std::map<std::string, std::string>& made) override;

    /// Held while the decoder's dictionary changes.
    std::mutex& mutex() { return m_mutex; }

private:
    SphinxDecoder& m_decoder;
    EspeakPronouncer m_pronouncer;
    std::mutex m_mutex;
    /// Held while the two maps below are read or changed, never while
    /// espeak-ng runs.
    std::mutex m_madeMutex;
    /// Pronunciations made this run, so a reload asks espeak-ng nothing.
    std::map<std::string, std::string> m_made;
    std::vector<std::string> m_accentVoices;
    /// What the accent voices said for each word asked about so far.
    std::map<std::string, std::vector<std::string>> m_accents;
};

} // namespace kelvo::speech
