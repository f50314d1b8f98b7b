#include "platform/speech/sphinx_pronouncer.h"

#include "platform/speech/sphinx_run_program.h"

#include <array>
#include <sstream>
#include <utility>

namespace kelvo::speech {
namespace {

struct Symbol {
    std::string_view ipa;
    std::string_view phones;
};

// Longer symbols first: the first match wins. British r-less diphthongs get
// the r the American model expects; Scottish long vowels are the nearest
// American ones.
constexpr std::array kSymbols{
    Symbol{"aɪə", "AY ER"}, Symbol{"aʊə", "AW ER"}, Symbol{"tʃ", "CH"},   Symbol{"dʒ", "JH"},
    Symbol{"aɪ", "AY"},     Symbol{"aʊ", "AW"},     Symbol{"eɪ", "EY"},   Symbol{"oʊ", "OW"},
    Symbol{"əʊ", "OW"},     Symbol{"ɔɪ", "OY"},     Symbol{"ɪə", "IH R"}, Symbol{"iə", "IY AH"},
    Symbol{"eə", "EH R"},   Symbol{"ʊə", "UH R"},   Symbol{"ɑː", "AA"},   Symbol{"ɔː", "AO"},
    Symbol{"ɜː", "ER"},     Symbol{"iː", "IY"},     Symbol{"uː", "UW"},   Symbol{"eː", "EY"},
    Symbol{"oː", "OW"},     Symbol{"aː", "AA"},     Symbol{"ʉ", "UW"},    Symbol{"n̩", "AH N"},
    Symbol{"l̩", "AH L"},    Symbol{"ɑ", "AA"},      Symbol{"ɒ", "AA"},    Symbol{"ɔ", "AO"},
    Symbol{"æ", "AE"},      Symbol{"a", "AE"},      Symbol{"ʌ", "AH"},    Symbol{"ə", "AH"},
    Symbol{"ɐ", "AH"},      Symbol{"ɚ", "ER"},      Symbol{"ɜ", "ER"},    Symbol{"ɛ", "EH"},
    Symbol{"e", "EH"},      Symbol{"ɪ", "IH"},      Symbol{"ᵻ", "IH"},    Symbol{"i", "IY"},
    Symbol{"ʊ", "UH"},      Symbol{"u", "UW"},      Symbol{"o", "OW"},    Symbol{"p", "P"},
    Symbol{"b", "B"},       Symbol{"t", "T"},       Symbol{"d", "D"},     Symbol{"ɾ", "T"},
    Symbol{"ʔ", "T"},       Symbol{"k", "K"},       Symbol{"g", "G"},     Symbol{"ɡ", "G"},
    Symbol{"x", "K"},       Symbol{"f", "F"},       Symbol{"v", "V"},     Symbol{"θ", "TH"},
    Symbol{"ð", "DH"},      Symbol{"s", "S"},       Symbol{"z", "Z"},     Symbol{"ʃ", "SH"},
    Symbol{"ʒ", "ZH"},      Symbol{"h", "HH"},      Symbol{"m", "M"},     Symbol{"n", "N"},
    Symbol{"ŋ", "NG"},      Symbol{"l", "L"},       Symbol{"ɫ", "L"},     Symbol{"ɹ", "R"},
    Symbol{"r", "R"},       Symbol{"j", "Y"},       Symbol{"w", "W"},
};

// Marks that carry no sound of their own.
constexpr std::array<std::string_view, 11> kIgnored{"ˈ",  "ˌ", "ː", "ˑ", " ",     "\t",
                                                    "\n", "-", "_", ".", "\u200d"};

std::string trimmed(std::string_view text) {
    std::size_t begin = text.find_first_not_of(" \t\r\n");
    std::size_t end = text.find_last_not_of(" \t\r\n");
    if (begin == text.npos) {
        return {};
    }
    return std::string(text.substr(begin, end - begin + 1));
}

bool speakable(const std::string& word) {
    return !word.empty() && word.find_first_of("[]\n\r") == std::string::npos;
}

} // namespace

std::optional<std::string> ipaToModelPhones(std::string_view ipa) {
    std::string phones;
    std::size_t i = 0;
    while (i < ipa.size()) {
        // espeak marks a switch of language as "(en)"; it is not a sound.
        if (ipa[i] == '(') {
            std::size_t close = ipa.find(')', i);
            if (close == ipa.npos) {
                return std::nullopt;
            }
            i = close + 1;
            continue;
        }
        bool matched = false;
        for (std::string_view mark : kIgnored) {
            if (ipa.substr(i, mark.size()) == mark) {
                i += mark.size();
                matched = true;
                break;
            }
        }
        if (matched) {
            continue;
        }
        for (const Symbol& symbol : kSymbols) {
            if (ipa.substr(i, symbol.ipa.size()) == symbol.ipa) {
                if (!phones.empty()) {
                    phones += ' ';
                }
                phones += symbol.phones;
                i += symbol.ipa.size();
                matched = true;
                break;
            }
        }
        if (!matched) {
            return std::nullopt;
        }
    }
    if (phones.empty()) {
        return std::nullopt;
    }
    return phones;
}

EspeakPronouncer::EspeakPronouncer(std::string program, std::function<bool()> stopped)
    : m_program(std::move(program)), m_stopped(std::move(stopped)) {}

Result<std::map<std::string, std::string>>
EspeakPronouncer::pronounce(const std::vector<std::string>& words, const std::string& voice) {
    std::map<std::string, std::string> result;
    std::vector<std::string> asked;
    std::string text;
    for (const std::string& word : words) {
        if (!speakable(word)) {
            continue;
        }
        // The words go in one argument, which Linux takes up to 128 KiB of:
        // a large vocabulary takes several runs.
        if (!asked.empty() && text.size() + word.size() + 2 > kLongestRunText) {
            if (Status run = pronounceRun(asked, text, voice, result); !run) {
                return run;
            }
            asked.clear();
            text.clear();
        }
        asked.push_back(word);
        text += word + ".\n";
    }
    if (!asked.empty()) {
        if (Status run = pronounceRun(asked, text, voice, result); !run) {
            return run;
        }
    }
    return result;
}

Status EspeakPronouncer::pronounceRun(const std::vector<std::string>& asked,
                                      const std::string& text, const std::string& voice,
                                      std::map<std::string, std::string>& result) {
    auto transcribe = [this, &voice](const std::string& input) {
        return runProgramForOutput({m_program, "-q", "--ipa", "-v", voice, input}, m_stopped);
    };

    // One run for all words; espeak writes a line per clause. Should the
    // lines not pair up with the words, each word gets a run of its own.
    Result<std::string> output = transcribe(text);
    if (!output) {
        return output.error();
    }
    std::vector<std::string> lines;
    std::istringstream stream(*output);
    for (std::string line; std::getline(stream, line);) {
        if (std::string clean = trimmed(line); !clean.empty()) {
            lines.push_back(std::move(clean));
        }
    }
    if (lines.size() != asked.size()) {
        lines.clear();
        for (const std::string& word : asked) {
            Result<std::string> one = transcribe(word);
            if (!one && one.error().number() == ECANCELED) {
                return one.error();
            }
            lines.push_back(one ? trimmed(*one) : std::string());
        }
    }
    for (std::size_t i = 0; i < asked.size(); ++i) {
        if (std::optional<std::string> phones = ipaToModelPhones(lines[i])) {
            result.emplace(asked[i], std::move(*phones));
        }
    }
    return {};
}

} // namespace kelvo::speech
