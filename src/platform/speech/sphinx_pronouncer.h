#pragma once

#include "platform/status.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo::speech {

/// Turns one word's IPA transcription (as espeak-ng writes it) into the
/// acoustic model's phones, blank-separated ("k eh l v ow" style, upper
/// case). Stress and length marks are dropped; nothing when a symbol has no
/// counterpart, so a word is never given a wrong sound silently.
std::optional<std::string> ipaToModelPhones(std::string_view ipa);

/// Makes pronunciations for words the dictionary lacks, with espeak-ng.
class EspeakPronouncer {
public:
    /// `program` is looked up on PATH; tests point it elsewhere.
    explicit EspeakPronouncer(std::string program = "espeak-ng");

    /// Pronunciations of the words that could be transcribed, keyed by word,
    /// as the named espeak-ng voice says them; the others are missing from
    /// the map. Fails only when the program cannot be run.
    Result<std::map<std::string, std::string>> pronounce(const std::vector<std::string>& words,
                                                         const std::string& voice = "en-us");

private:
    std::string m_program;
};

} // namespace kelvo::speech
