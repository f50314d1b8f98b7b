#include "platform/speech/sphinx_session.h"

#include "platform/speech/sphinx_recognition_quality.h"
#include "platform/speech/sphinx_wav.h"

#include <algorithm>
#include <sstream>

namespace kelvo::speech {
namespace {

constexpr const char* kIdleSearch = "idle";
constexpr const char* kSpellingSearch = "spelling";

enum class Mode { Idle, Commands, Spelling, Dictation, Vocabulary };

Mode modeOf(const ListeningState& state) {
    if (state.dictationActive && state.dictation == DictationTopic::Free && state.vocabulary &&
        state.vocabulary->fsg) {
        return Mode::Vocabulary;
    }
    if (state.dictationActive && state.dictation == DictationTopic::Free) {
        return Mode::Dictation;
    }
    if (state.dictationActive && state.dictation == DictationTopic::Spelling) {
        return Mode::Spelling;
    }
    if (state.rulesActive && state.grammar && state.grammar->fsg) {
        return Mode::Commands;
    }
    return Mode::Idle;
}

bool sameState(const ListeningState& a, const ListeningState& b) {
    return a.grammar == b.grammar && a.rulesActive == b.rulesActive && a.dictation == b.dictation &&
           a.dictationActive == b.dictationActive && a.vocabulary == b.vocabulary;
}

std::vector<std::string> spokenWords(const std::string& hypothesis) {
    std::vector<std::string> words;
    std::istringstream stream(hypothesis);
    for (std::string word; stream >> word;) {
        if (word.front() == '<' || word.front() == '[') {
            continue;
        }
        words.emplace_back(baseWord(word));
    }
    return words;
}

} // namespace

const std::vector<std::pair<std::string, char>>& spellingWords() {
    static const std::vector<std::pair<std::string, char>> words = [] {
        std::vector<std::pair<std::string, char>> list;
        for (char c = 'a'; c <= 'z'; ++c) {
            list.emplace_back(std::string(1, c), c);
        }
        const char* nato[] = {"alpha",  "bravo",    "charlie", "delta",  "echo",    "foxtrot",
                              "golf",   "hotel",    "india",   "juliet", "kilo",    "lima",
                              "mike",   "november", "oscar",   "papa",   "quebec",  "romeo",
                              "sierra", "tango",    "uniform", "victor", "whiskey", "x-ray",
                              "yankee", "zulu"};
        for (const char* word : nato) {
            list.emplace_back(word, word[0]);
        }
        return list;
    }();
    return words;
}

Status prepareCommandDecoder(SphinxDecoder& decoder, const std::string& supplementaryDictionary) {
    std::vector<std::pair<std::string, std::string>> words = garbageWords();
    std::istringstream lines(supplementaryDictionary);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string word;
        std::string phone;
        std::string phones;
        if (!(fields >> word) || word.front() == '#') {
            continue;
        }
        while (fields >> phone) {
            phones += (phones.empty() ? "" : " ") + phone;
        }
        if (!phones.empty() && !decoder.hasWord(word)) {
            words.emplace_back(word, phones);
        }
    }
    if (Status added = decoder.addWords(words); !added) {
        return added;
    }

    std::vector<std::string> garbage;
    for (const auto& [word, phones] : garbageWords()) {
        garbage.push_back(word);
    }
    GarbageLoop loop{garbage, -1.0};
    FsgPtr idle = buildPhraseFsg(kIdleSearch, {}, nullptr, decoder.logmath(),
                                 decoder.languageWeight(), &loop);
    if (Status made = decoder.addGrammarSearch(kIdleSearch, idle.get()); !made) {
        return made;
    }
    std::vector<std::string> letters;
    for (const auto& [word, letter] : spellingWords()) {
        for (std::string& variant : decoder.variants(word)) {
            letters.push_back(std::move(variant));
        }
    }
    FsgPtr spelling =
        buildWordLoopFsg(kSpellingSearch, letters, decoder.logmath(), decoder.languageWeight());
    if (Status made = decoder.addGrammarSearch(kSpellingSearch, spelling.get()); !made) {
        return made;
    }
    return decoder.useSearch(kIdleSearch);
}

SphinxSession::SphinxSession(SphinxDecoder& commands, std::function<SphinxDecoder*()> dictation,
                             std::mutex* wordsMutex)
    : m_commands(commands), m_dictationLoader(std::move(dictation)), m_wordsMutex(wordsMutex) {}

SphinxSession::~SphinxSession() {
    if (m_active != nullptr) {
        (void)m_active->endUtterance();
    }
}

void SphinxSession::setListeningState(ListeningState state) {
    m_wanted = std::move(state);
}

Status SphinxSession::useGrammar(const std::shared_ptr<const SphinxCommandGrammar>& used) {
    const SphinxCommandGrammar& grammar = *used;
    auto sameKey = [&](const auto& kept) { return kept->key == grammar.key; };
    if (!m_commands.hasSearch(grammar.key)) {
        std::vector<std::pair<std::string, std::string>> missing;
        for (const auto& word : grammar.newWords) {
            if (!m_commands.hasWord(word.first)) {
                missing.push_back(word);
            }
        }
        if (!missing.empty()) {
            // Adding words rebuilds every search: drop the spare ones first.
            if (Status idle = m_commands.useSearch(kIdleSearch); !idle) {
                return idle;
            }
            for (const auto& kept : m_keptGrammars) {
                m_commands.removeSearch(kept->key);
            }
            m_keptGrammars.clear();
            std::unique_lock<std::mutex> lock;
            if (m_wordsMutex) {
                lock = std::unique_lock(*m_wordsMutex);
            }
            if (Status added = m_commands.addWords(missing); !added) {
                return added;
            }
        }
        if (Status made = m_commands.addGrammarSearch(grammar.key, grammar.fsg.get()); !made) {
            return made;
        }
        m_keptGrammars.push_back(used);
    } else {
        // Most recently used last.
        m_keptGrammars.erase(std::remove_if(m_keptGrammars.begin(), m_keptGrammars.end(), sameKey),
                             m_keptGrammars.end());
        m_keptGrammars.push_back(used);
    }
    if (Status chosen = m_commands.useSearch(grammar.key); !chosen) {
        return chosen;
    }
    while (m_keptGrammars.size() > kKeptGrammars) {
        m_commands.removeSearch(m_keptGrammars.front()->key);
        m_keptGrammars.pop_front();
    }
    return {};
}

Status SphinxSession::begin() {
    m_current = m_wanted;
    Mode mode = modeOf(m_current);
    if (mode == Mode::Dictation && !m_dictation && m_dictationLoader) {
        m_dictation = m_dictationLoader();
    }
    if (mode == Mode::Dictation && m_dictation) {
        m_active = m_dictation;
        if (Status used = m_active->useSearch(kDictationSearchName); !used) {
            return used;
        }
        return m_active->startUtterance();
    }
    m_active = &m_commands;
    Status chosen;
    m_heard.clear();
    if (mode == Mode::Commands) {
        chosen = useGrammar(m_current.grammar);
    } else if (mode == Mode::Vocabulary) {
        chosen = useGrammar(m_current.vocabulary);
    } else if (mode == Mode::Spelling) {
        chosen = m_commands.useSearch(kSpellingSearch);
    } else {
        chosen = m_commands.useSearch(kIdleSearch);
    }
    if (!chosen) {
        // A grammar the recognizer refused must not stop listening.
        m_current.rulesActive = false;
        m_current.dictationActive = false;
        if (Status idle = m_commands.useSearch(kIdleSearch); !idle) {
            return idle;
        }
    }
    return m_active->startUtterance();
}

bool SphinxSession::strayAroundPhrase() const {
    bool begun = false;
    for (const SphinxDecoder::Span& span : m_active->spans()) {
        bool filler = span.word.front() == '<' || span.word.front() == '[' ||
                      span.word.front() == '+' || span.word.front() == '(';
        int frames = span.last - span.first + 1;
        bool swallowed = frames >= m_swallowedFrames && span.acoustic / frames < m_swallowedScore;
        if (!filler) {
            begun = true;
            if (frames > kLongestWordFrames) {
                return true;
            }
        } else if (swallowed || (begun && frames > m_longestSilenceFrames)) {
            // Before the words too: a command said after other speech.
            return true;
        }
    }
    return false;
}

SpeechOutcome SphinxSession::interpret(const std::string& hypothesis, bool ended) const {
    SpeechOutcome outcome;
    std::vector<std::string> words = spokenWords(hypothesis);
    switch (modeOf(m_current)) {
    case Mode::Vocabulary:
        // Anything but the vocabulary's words is the general model's to hear.
        if (auto entry = m_current.vocabulary->match(hypothesis);
            entry && !(ended && strayAroundPhrase())) {
            outcome.kind = SpeechOutcome::Kind::Recognition;
            outcome.text = entry->text;
        }
        return outcome;
    case Mode::Commands:
        // The decoder sees at most its end silence and the speech detector's
        // lead-in of a real pause, so a longer "silence" between or after
        // the words is speech the phrase could not explain: stray speech.
        if (auto entry = m_current.grammar->match(hypothesis);
            entry && !(ended && strayAroundPhrase())) {
            outcome.kind = SpeechOutcome::Kind::Recognition;
            outcome.text = entry->text;
            outcome.ruleName = entry->ruleName;
            return outcome;
        }
        for (const std::string& word : words) {
            if (!isGarbageWord(word)) {
                outcome.text += (outcome.text.empty() ? "" : " ") + word;
            }
        }
        return outcome;
    case Mode::Spelling:
        for (const std::string& word : words) {
            for (const auto& [spoken, letter] : spellingWords()) {
                if (spoken == word) {
                    outcome.text += letter;
                    break;
                }
            }
        }
        break;
    case Mode::Dictation:
        for (const std::string& word : words) {
            outcome.text += (outcome.text.empty() ? "" : " ") + word;
        }
        break;
    case Mode::Idle:
        break;
    }
    if (!outcome.text.empty()) {
        outcome.kind = SpeechOutcome::Kind::Recognition;
    }
    return outcome;
}

void SphinxSession::setEndSilences(int continuable, int open) {
    m_continuableEndSilenceFrames = continuable;
    m_openEndSilenceFrames = open;
}

int SphinxSession::endSilenceNow() const {
    switch (modeOf(m_current)) {
    case Mode::Commands:
        if (auto entry = m_current.grammar->match(m_active->partialHypothesis())) {
            return entry->continues ? m_continuableEndSilenceFrames : 0;
        }
        break;
    case Mode::Idle:
        return 0; // nothing is reported
    case Mode::Spelling:
    case Mode::Dictation:
    case Mode::Vocabulary:
        break;
    }
    return m_openEndSilenceFrames;
}

std::optional<SpeechOutcome> SphinxSession::guess() {
    if (m_position - m_lastGuessAt < kHypothesisInterval) {
        return std::nullopt;
    }
    m_lastGuessAt = m_position;
    // An unfinished phrase gives the words heard so far.
    SpeechOutcome outcome = interpret(m_active->partialHypothesis(), false);
    if (outcome.text.empty() || outcome.text == m_lastGuess) {
        return std::nullopt;
    }
    m_lastGuess = outcome.text;
    outcome.kind = SpeechOutcome::Kind::Hypothesis;
    outcome.ruleName.clear();
    outcome.speechStart = m_speechStart;
    outcome.resultAt = m_position;
    return outcome;
}

Result<SpeechOutcome> SphinxSession::generalDictation() {
    SpeechOutcome outcome;
    if (!m_dictation && m_dictationLoader) {
        m_dictation = m_dictationLoader();
    }
    if (!m_dictation || m_heard.empty()) {
        return outcome; // nothing to fall back on: rejected
    }
    m_active = m_dictation;
    if (Status used = m_active->useSearch(kDictationSearchName); !used) {
        return used;
    }
    if (Status started = m_active->startUtterance(); !started) {
        return started;
    }
    if (Status processed = m_active->process(m_heard.data(), m_heard.size()); !processed) {
        (void)m_active->endUtterance();
        return processed;
    }
    m_heard.clear();
    for (const std::string& word : spokenWords(m_active->endUtterance())) {
        outcome.text += (outcome.text.empty() ? "" : " ") + word;
    }
    if (!outcome.text.empty()) {
        outcome.kind = SpeechOutcome::Kind::Recognition;
    }
    return outcome;
}

Result<std::vector<SpeechOutcome>> SphinxSession::feed(const std::int16_t* samples,
                                                       std::size_t count) {
    std::vector<SpeechOutcome> outcomes;
    if (m_utterance && !m_speech && !sameState(m_wanted, m_current)) {
        // Nothing heard yet: listen with the new state at once.
        m_active->endUtterance();
        m_utterance = false;
    }
    if (!m_utterance) {
        if (Status started = begin(); !started) {
            return started;
        }
        m_utterance = true;
        m_speech = false;
        if (!m_onset.empty()) {
            // Given again: the detector may have been holding the start of speech.
            if (Status replayed = m_active->process(m_onset.data(), m_onset.size()); !replayed) {
                return replayed;
            }
            if (modeOf(m_current) == Mode::Vocabulary) {
                m_heard = m_onset;
            }
        }
    }
    if (Status processed = m_active->process(samples, count); !processed) {
        return processed;
    }
    if (modeOf(m_current) == Mode::Vocabulary && m_heard.size() < kLongestHeardSamples) {
        m_heard.insert(m_heard.end(), samples, samples + count);
    }
    m_position += count;
    bool speech = m_active->inSpeech();
    if (speech) {
        m_onset.clear();
    } else {
        m_onset.insert(m_onset.end(), samples, samples + count);
        if (m_onset.size() > kOnsetSamples) {
            m_onset.erase(m_onset.begin(),
                          m_onset.begin() + static_cast<long>(m_onset.size() - kOnsetSamples));
        }
    }
    if (speech && !m_speech) {
        m_speech = true;
        m_pausing = false;
        m_speechStart = m_position;
        m_lastGuessAt = m_position;
        m_lastGuess.clear();
    } else if (speech) {
        m_pausing = false; // the pause was inside the phrase
        if (modeOf(m_current) != Mode::Idle) {
            if (std::optional<SpeechOutcome> partial = guess()) {
                outcomes.push_back(std::move(*partial));
            }
        }
    } else if (m_speech) {
        if (!m_pausing) {
            // The decoder's short end silence has passed. A phrase that
            // nothing in the grammar continues is over; anything else gets
            // the longer silence, and speech before it goes on as one.
            m_pausing = true;
            m_pauseFrom = m_position;
            int frames = std::max(0, endSilenceNow() - m_active->endSilenceFrames());
            m_pauseLength = static_cast<std::uint64_t>(frames) * kSpeechSampleRate / 100;
        }
        if (m_position - m_pauseFrom >= m_pauseLength) {
            std::string hypothesis = m_active->endUtterance();
            m_utterance = false;
            m_speech = false;
            m_pausing = false;
            if (modeOf(m_current) != Mode::Idle) {
                SpeechOutcome outcome = interpret(hypothesis, true);
                const std::optional<bool> poorFit = fitsPoorly(*m_active);
                if (modeOf(m_current) == Mode::Vocabulary &&
                    outcome.kind != SpeechOutcome::Kind::Recognition) {
                    Result<SpeechOutcome> general = generalDictation();
                    if (!general) {
                        return general.error();
                    }
                    outcome = std::move(general).value();
                }
                outcome.poorFit = poorFit;
                outcome.speechStart = m_speechStart;
                outcome.resultAt = m_position;
                outcomes.push_back(std::move(outcome));
            }
        }
    }
    return outcomes;
}

} // namespace kelvo::speech
