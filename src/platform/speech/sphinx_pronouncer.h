#pragma once

#include "platform/status.h"

#include <functional>
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
    /// `program` is looked up on PATH; tests point it elsewhere. Once
    /// `stopped` says so, a run under way is killed and pronounce fails.
    explicit EspeakPronouncer(std::string program = "espeak-ng",
                              std::function<bool()> stopped = {});

    /// Pronunciations of the words that could be transcribed, keyed by word,
    /// as the named espeak-ng voice says them; the others are missing from
    /// the map. Fails only when the program cannot be run.
    Result<std::map<std::string, std::string>> pronounce(const std::vector<std::string>& words,
                                                         const std::string& voice = "en-us");

    /// The most text one espeak-ng run is given.
    static constexpr std::size_t kLongestRunText = 64 * 1024;

private:
    /// One run for `asked`, whose lines `text` holds; adds what it made.
    Status pronounceRun(const std::vector<std::string>& asked, const std::string& text,
                        const std::string& voice, std::map<std::string, std::string>& result);

    std::string m_program;
    std::function<bool()> m_stopped;
};

} // namespace kelvo::speech
