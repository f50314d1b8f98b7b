// Speech recognition figures: grammar compile time, decode speed, latency,
// command accuracy, out-of-grammar rejection and peak memory.
//
// Make the corpus first:
//   bench/speech_corpus.py /tmp/kelvo-speech-corpus --grammar resources/defaults/en_CLICK.XML
// then run:               build/bench/speech_recognition_bench
// KELVO_SPEECH_CORPUS names another corpus folder. Settings are tried on one
// part of the corpus and reported on the other: KELVO_BENCH_PART=tune or
// test. Settings to try: KELVO_SPHINX_ARGS ("-name value ..."; the end
// silence of a finished phrase is "-vad_postspeech N"), KELVO_CONTINUABLE_END_SILENCE
// and KELVO_OPEN_END_SILENCE (frames that end a phrase a longer one
// continues, and words that are no phrase yet), KELVO_LONGEST_SILENCE (frames of silence inside a
// phrase that reject it), KELVO_SWALLOWED_FRAMES and KELVO_SWALLOWED_SCORE (a
// silence that fits its sound this badly is speech, and rejects the phrase),
// KELVO_GARBAGE_LOGPROB, KELVO_GARBAGE_AFTER_WORDS and
// KELVO_GARBAGE_AFTER_WORDS_LOGPROB (garbage after a phrase's first words
// and its cost), KELVO_SPEECH_DICT, KELVO_ACCENT_VOICES, and
// KELVO_BENCH_CHUNK (samples fed at a time). KELVO_BENCH_NEAR_MISS takes the
// spoken commands out of the grammar, so each must be rejected.
// KELVO_BENCH_VERBOSE lists the misses, KELVO_BENCH_TRACE every clip.
// poor_fit is the share of utterances heard with a poor fit and
// training_asked_at the clip, in corpus order, at which the request for
// training would be made (0: never).
#include "platform/atomic_file.h"
#include "platform/speech/sphinx_command_grammar.h"
#include "platform/speech/sphinx_decoder.h"
#include "platform/speech/sphinx_engine_core.h"
#include "platform/speech/sphinx_level_meter.h"
#include "platform/speech/sphinx_lexicon.h"
#include "platform/speech/sphinx_listener.h"
#include "platform/speech/sphinx_recognition_quality.h"
#include "platform/speech/sphinx_session.h"
#include "platform/speech/sphinx_vocabulary_grammar.h"
#include "platform/speech/sphinx_wav.h"
#include "platform/speech/sphinx_xml_grammar.h"
#include "services/settings_file.h"
#include "speech/location_vocabulary.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <sys/resource.h>

using namespace kelvo;
using namespace kelvo::speech;

namespace {

// Each figure is taken once per grammar size: one pass over the corpus.
void atEveryGrammarSize(benchmark::internal::Benchmark* bench) {
    bench->Arg(300)->Arg(3000)->Arg(20000)->Iterations(1)->Unit(benchmark::kSecond);
}

std::filesystem::path corpusDir() {
    const char* dir = std::getenv("KELVO_SPEECH_CORPUS");
    return dir && *dir ? dir : "/tmp/kelvo-speech-corpus";
}

SphinxGrammarOptions grammarOptions() {
    SphinxGrammarOptions options;
    if (const char* cost = std::getenv("KELVO_GARBAGE_LOGPROB")) {
        options.garbagePhoneLogProb = std::atof(cost);
    }
    if (const char* words = std::getenv("KELVO_GARBAGE_AFTER_WORDS")) {
        options.garbageAfterWords = std::atoi(words);
    }
    if (const char* cost = std::getenv("KELVO_GARBAGE_AFTER_WORDS_LOGPROB")) {
        options.garbageAfterWordsLogProb = std::atof(cost);
    }
    return options;
}

// Decoder settings to try, as "-name value ..." (KELVO_SPHINX_ARGS).
std::vector<std::string> extraDecoderArguments() {
    std::vector<std::string> arguments;
    if (const char* extra = std::getenv("KELVO_SPHINX_ARGS")) {
        std::istringstream words(extra);
        for (std::string word; words >> word;) {
            arguments.push_back(word);
        }
    }
    return arguments;
}

struct Clip {
    std::string expected;
    std::string voice;
    std::string part;
    std::string group;
    /// "clean", or the noise mixed in ("snr20", "snr10", "noise" alone).
    std::string condition = "clean";
    /// Where the voice stops, in samples; 0: found from the sound.
    std::size_t speechEnd = 0;
    /// Where the voice begins, in samples.
    std::size_t speechBegin = 0;
    std::vector<std::int16_t> samples;
};

struct Engine {
    std::unique_ptr<SphinxDecoder> decoder;
    std::unique_ptr<DecoderLexicon> lexicon;
};

Engine& engine() {
    static Engine e = [] {
        Engine made;
        SphinxDecoderOptions options;
        options.model = installedSphinxModel();
        options.extraArguments = extraDecoderArguments();
        auto decoder = SphinxDecoder::create(options);
        if (!decoder) {
            std::fprintf(stderr, "%s\n", decoder.error().message().c_str());
            std::exit(1);
        }
        made.decoder = std::move(decoder).value();
        std::string dict;
        // KELVO_SPEECH_DICT tries another supplementary dictionary.
        const char* other = std::getenv("KELVO_SPEECH_DICT");
        std::filesystem::path path =
            other && *other ? other : KELVO_RESOURCES_DIR "/speech/kelvo.dict";
        if (auto text = readWholeFile(path)) {
            dict = *text;
        }
        if (!prepareCommandDecoder(*made.decoder, dict)) {
            std::exit(1);
        }
        // KELVO_ACCENT_VOICES tries other accents ("en-gb,en-gb-x-rp"; "none").
        std::vector<std::string> voices = DecoderLexicon::defaultAccentVoices();
        if (const char* list = std::getenv("KELVO_ACCENT_VOICES")) {
            voices.clear();
            std::istringstream names(list);
            for (std::string voice; std::getline(names, voice, ',');) {
                if (!voice.empty() && voice != "none") {
                    voices.push_back(voice);
                }
            }
        }
        made.lexicon =
            std::make_unique<DecoderLexicon>(*made.decoder, EspeakPronouncer(), std::move(voices));
        return made;
    }();
    return e;
}

std::string grammarText(int size) {
    auto text = readWholeFile(corpusDir() / ("grammar_" + std::to_string(size) + ".xml"));
    if (!text) {
        std::fprintf(stderr, "no corpus in %s: run bench/speech_corpus.py first\n",
                     corpusDir().c_str());
        std::exit(1);
    }
    return *text;
}

std::shared_ptr<SphinxCommandGrammar> compile(const std::string& xml) {
    XmlGrammar parsed = parseXmlGrammar(xml).value();
    std::vector<bool> active(parsed.rules.size(), true);
    return std::make_shared<SphinxCommandGrammar>(
        compileCommandGrammar(parsed, active, grammarKey(xml, active), *engine().lexicon,
                              engine().decoder->logmath(), grammarOptions()));
}

const std::vector<Clip>& clips() {
    static std::vector<Clip> all = [] {
        std::vector<Clip> loaded;
        std::ifstream manifest(corpusDir() / "manifest.tsv");
        for (std::string line; std::getline(manifest, line);) {
            std::istringstream fields(line);
            Clip clip;
            std::string file;
            std::getline(fields, file, '\t');
            std::getline(fields, clip.expected, '\t');
            std::getline(fields, clip.voice, '\t');
            std::string speed;
            std::getline(fields, speed, '\t');
            std::getline(fields, clip.part, '\t');
            std::getline(fields, clip.group, '\t');
            std::string condition;
            if (std::getline(fields, condition, '\t') && !condition.empty()) {
                clip.condition = condition;
            }
            std::string end;
            if (std::getline(fields, end, '\t') && !end.empty()) {
                clip.speechEnd = static_cast<std::size_t>(std::stoul(end));
            }
            std::string begin;
            if (std::getline(fields, begin, '\t') && !begin.empty()) {
                clip.speechBegin = static_cast<std::size_t>(std::stoul(begin));
            }
            // Settings are chosen on one part and reported on the other.
            const char* part = std::getenv("KELVO_BENCH_PART");
            if (part && *part && clip.part != part) {
                continue;
            }
            auto samples = readWavAsSpeech(corpusDir() / file);
            if (samples) {
                clip.samples = std::move(samples).value();
                loaded.push_back(std::move(clip));
            }
        }
        return loaded;
    }();
    return all;
}

void BM_CompileGrammar(benchmark::State& state) {
    std::string xml = grammarText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto grammar = compile(xml);
        benchmark::DoNotOptimize(grammar);
    }
}
BENCHMARK(BM_CompileGrammar)->Arg(300)->Arg(3000)->Arg(20000)->Unit(benchmark::kMillisecond);

// Compile plus building the recognizer's search: the full cost of a load
// that the cache has not seen.
void BM_LoadGrammarUncached(benchmark::State& state) {
    std::string xml = grammarText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto grammar = compile(xml);
        std::vector<std::pair<std::string, std::string>> missing;
        for (const auto& word : grammar->newWords) {
            if (!engine().decoder->hasWord(word.first)) {
                missing.push_back(word);
            }
        }
        if (!missing.empty() && !engine().decoder->addWords(missing)) {
            state.SkipWithError("words refused");
        }
        if (!engine().decoder->addGrammarSearch("bench", grammar->fsg.get())) {
            state.SkipWithError("search refused");
        }
    }
    engine().decoder->removeSearch("bench");
}
BENCHMARK(BM_LoadGrammarUncached)->Arg(300)->Arg(3000)->Arg(20000)->Unit(benchmark::kMillisecond);

double percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

// The grammar holds spellings that sound the same ("face book" and
// "facebook"); hearing one for the other is no error a listener could hear.
std::string sound(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c != ' ') {
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return out;
}

bool mainstream(const Clip& clip) {
    if (!clip.group.empty()) {
        return clip.group == "mainstream";
    }
    return clip.voice == "en-us" || clip.voice == "en-gb";
}

struct Tally {
    int commands = 0, correct = 0, mainCommands = 0, mainCorrect = 0, mainExact = 0;
    int sentences = 0, rejected = 0;
    std::vector<double> latencies;
    /// Of the commands heard as commands: what a user waits for.
    std::vector<double> commandLatencies;
    /// Utterances judged for their fit, those heard with a poor one, and
    /// the clip (from 1, in corpus order) at which the training would be
    /// asked for: never in normal use.
    int judged = 0, poorFits = 0, clipsSeen = 0, trainingAskedAt = 0;
    PoorRecognitionWatch watch;
};

std::string withoutSpokenCommands(const std::string& xml) {
    std::set<std::string> spoken;
    for (const Clip& clip : clips()) {
        if (!clip.expected.empty()) {
            spoken.insert(sound(clip.expected));
        }
    }
    std::istringstream lines(xml);
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
        std::size_t open = line.find("<P>");
        std::size_t close = line.find("</P>");
        if (open != std::string::npos && close != std::string::npos &&
            spoken.count(sound(line.substr(open + 3, close - open - 3)))) {
            continue;
        }
        kept += line + "\n";
    }
    return kept;
}

void BM_DecodeCorpus(benchmark::State& state) {
    // KELVO_BENCH_NEAR_MISS takes the spoken commands out of the grammar: each
    // is then a phrase much like the grammar's own that must be rejected, as
    // a command the user removed.
    const bool nearMiss = std::getenv("KELVO_BENCH_NEAR_MISS") != nullptr;
    auto grammar =
        compile(nearMiss ? withoutSpokenCommands(grammarText(static_cast<int>(state.range(0))))
                         : grammarText(static_cast<int>(state.range(0))));
    SphinxSession session(*engine().decoder, nullptr);
    SpeechLevelMeter meter;
    auto setting = [](const char* name, int fallback) {
        const char* value = std::getenv(name);
        return value && *value ? std::atoi(value) : fallback;
    };
    session.setEndSilences(
        setting("KELVO_CONTINUABLE_END_SILENCE", SphinxSession::kContinuableEndSilenceFrames),
        setting("KELVO_OPEN_END_SILENCE", SphinxSession::kOpenEndSilenceFrames));
    session.setLongestSilence(
        setting("KELVO_LONGEST_SILENCE", SphinxSession::kLongestSilenceFrames));
    const char* swallowedScore = std::getenv("KELVO_SWALLOWED_SCORE");
    session.setSwallowedSpeech(setting("KELVO_SWALLOWED_FRAMES", SphinxSession::kSwallowedFrames),
                               swallowedScore && *swallowedScore ? std::atof(swallowedScore)
                                                                 : SphinxSession::kSwallowedScore);
    ListeningState listening;
    listening.grammar = grammar;
    listening.rulesActive = true;
    session.setListeningState(listening);

    std::mt19937 noise(5);
    std::uniform_int_distribution<int> dither(-6, 6);
    // The chunks the program's listener reads.
    const std::size_t kChunk = static_cast<std::size_t>(
        setting("KELVO_BENCH_CHUNK", static_cast<int>(SphinxListener::kChunkSamples)));
    std::map<std::string, Tally> tallies;
    double audioSeconds = 0, cpuSeconds = 0;
    for (auto _ : state) {
        for (const Clip& clip : clips()) {
            const bool removed = nearMiss && !clip.expected.empty();
            const bool command = !clip.expected.empty() && !removed;
            Tally& tally = tallies[removed ? clip.condition + "_near_miss" : clip.condition];
            std::vector<std::int16_t> audio(8000);
            audio.insert(audio.end(), clip.samples.begin(), clip.samples.end());
            // Where the voice stops, not where the file does.
            std::size_t speechEnd = audio.size();
            if (clip.speechEnd) {
                speechEnd = 8000 + clip.speechEnd;
            } else {
                while (speechEnd > 8000 && std::abs(audio[speechEnd - 1]) < 1000) {
                    --speechEnd;
                }
            }
            audio.resize(audio.size() + 32000);
            for (std::int16_t& s : audio) {
                s = static_cast<std::int16_t>(s + dither(noise));
            }
            std::uint64_t base = session.samplesFed();
            std::optional<SpeechOutcome> heard;
            double lastChunkSeconds = 0;
            for (std::size_t at = 0; at < audio.size() && !heard; at += kChunk) {
                std::size_t n = std::min(kChunk, audio.size() - at);
                // As the listener does: the level of what the session hears.
                meter.feed(audio.data() + at, n, session.inSpeech());
                auto start = std::chrono::steady_clock::now();
                auto outcomes = session.feed(audio.data() + at, n);
                lastChunkSeconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                cpuSeconds += lastChunkSeconds;
                audioSeconds += static_cast<double>(n) / kSpeechSampleRate;
                for (const SpeechOutcome& outcome :
                     outcomes ? *outcomes : std::vector<SpeechOutcome>{}) {
                    // Noise before the voice (or with none) that was rejected
                    // is no answer to the clip; noise heard as a command is.
                    bool beforeVoice = clip.condition == "noise" ||
                                       outcome.resultAt - base < 8000 + clip.speechBegin;
                    if (outcome.kind != SpeechOutcome::Kind::Hypothesis) {
                        meter.utteranceEnded();
                    }
                    if (outcome.kind == SpeechOutcome::Kind::Recognition ||
                        (outcome.kind == SpeechOutcome::Kind::FalseRecognition && !beforeVoice)) {
                        heard = outcome;
                        if (meter.lastUtteranceSteady()) {
                            heard->poorFit.reset();
                        }
                        break;
                    }
                }
            }
            double latency = 0;
            if (heard) {
                double endAt = static_cast<double>(heard->resultAt - base) / kSpeechSampleRate;
                latency =
                    endAt - static_cast<double>(speechEnd) / kSpeechSampleRate + lastChunkSeconds;
                tally.latencies.push_back(latency);
            }
            bool recognised = heard && heard->kind == SpeechOutcome::Kind::Recognition;
            ++tally.clipsSeen;
            if (heard && heard->poorFit) {
                ++tally.judged;
                tally.poorFits += *heard->poorFit ? 1 : 0;
                if (tally.watch.utteranceEnded(heard->poorFit)) {
                    tally.trainingAskedAt = tally.clipsSeen;
                }
            }
            if (std::getenv("KELVO_BENCH_TRACE")) {
                std::string spans;
                for (const SphinxDecoder::Span& span : engine().decoder->spans()) {
                    spans += " " + span.word + ":" + std::to_string(span.last - span.first + 1) +
                             ":" + std::to_string(static_cast<int>(span.acoustic));
                }
                std::fprintf(stderr, "CLIP\t%s\t%s\t%s\t%d\t%s\t%.0f\t%s\n", clip.expected.c_str(),
                             clip.voice.c_str(), clip.condition.c_str(), recognised ? 1 : 0,
                             heard ? heard->text.c_str() : "", latency * 1000, spans.c_str());
            }
            if (!command) {
                ++tally.sentences;
                tally.rejected += recognised ? 0 : 1;
                if (recognised && std::getenv("KELVO_BENCH_VERBOSE")) {
                    std::fprintf(stderr, "[%s %s] not rejected: heard \"%s\"\n", clip.voice.c_str(),
                                 clip.condition.c_str(), heard->text.c_str());
                }
            } else {
                bool exact = recognised && heard->text == clip.expected;
                bool ok = recognised && sound(heard->text) == sound(clip.expected);
                ++tally.commands;
                tally.correct += ok;
                if (recognised) {
                    tally.commandLatencies.push_back(latency);
                }
                if (mainstream(clip)) {
                    ++tally.mainCommands;
                    tally.mainCorrect += ok;
                    tally.mainExact += exact;
                }
                if (!ok && std::getenv("KELVO_BENCH_VERBOSE")) {
                    std::fprintf(stderr, "[%s %s] expected \"%s\" heard \"%s\"\n",
                                 clip.voice.c_str(), clip.condition.c_str(), clip.expected.c_str(),
                                 heard ? heard->text.c_str() : "(nothing)");
                }
            }
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ratio = [](int part, int whole) { return whole ? 1.0 * part / whole : 0.0; };
    for (const auto& [condition, t] : tallies) {
        // Clean figures keep their plain names; noisy ones carry the condition.
        std::string suffix = condition == "clean" ? "" : "_" + condition;
        if (t.commands) {
            state.counters["accuracy_mainstream" + suffix] = ratio(t.mainCorrect, t.mainCommands);
            state.counters["exact_text_mainstream" + suffix] = ratio(t.mainExact, t.mainCommands);
            state.counters["accuracy_all_voices" + suffix] = ratio(t.correct, t.commands);
        }
        if (t.sentences) {
            state.counters["rejection" + suffix] = ratio(t.rejected, t.sentences);
        }
        state.counters["poor_fit" + suffix] = ratio(t.poorFits, t.judged);
        state.counters["training_asked_at" + suffix] = t.trainingAskedAt;
        state.counters["latency_p50_ms" + suffix] = percentile(t.latencies, 0.5) * 1000;
        state.counters["latency_p95_ms" + suffix] = percentile(t.latencies, 0.95) * 1000;
        if (!t.commandLatencies.empty()) {
            state.counters["command_latency_p50_ms" + suffix] =
                percentile(t.commandLatencies, 0.5) * 1000;
            state.counters["command_latency_p95_ms" + suffix] =
                percentile(t.commandLatencies, 0.95) * 1000;
        }
    }
    state.counters["rtf"] = audioSeconds > 0 ? cpuSeconds / audioSeconds : 0;
    state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_DecodeCorpus)->Apply(atEveryGrammarSize);

} // namespace

namespace {

// Dictated search words, by road: what follows "search bookmarks" (heard
// with the bookmark titles as its vocabulary), "select zip location" (the
// digits), "select city location" (the places) and a web search (the
// general model alone). KELVO_BENCH_NO_VOCABULARY hears every road with the
// general model, as before vocabularies; KELVO_VOCABULARY_GARBAGE,
// KELVO_VOCABULARY_RUN and KELVO_VOCABULARY_PART_RUN try other costs
// (compileVocabulary); KELVO_BENCH_ROAD takes one road only.
struct Dictated {
    std::string file, said, road, voice, part, group;
};

std::vector<std::string> lowerWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text + " ") {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '\'') {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    return words;
}

// Word edits (substitutions, insertions, deletions) from one text to another.
int wordErrors(const std::vector<std::string>& said, const std::vector<std::string>& heard) {
    std::vector<int> row(heard.size() + 1);
    for (std::size_t j = 0; j <= heard.size(); ++j) {
        row[j] = static_cast<int>(j);
    }
    for (std::size_t i = 1; i <= said.size(); ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= heard.size(); ++j) {
            int up = row[j];
            row[j] = std::min(
                {row[j] + 1, row[j - 1] + 1, diagonal + (said[i - 1] == heard[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[heard.size()];
}

std::string lowered(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

void BM_DictationByRoad(benchmark::State& state) {
    std::vector<Dictated> clips;
    std::ifstream manifest(corpusDir() / "dictation.tsv");
    const char* part = std::getenv("KELVO_BENCH_PART");
    for (std::string line; std::getline(manifest, line);) {
        std::istringstream fields(line);
        Dictated clip;
        std::string speed;
        std::getline(fields, clip.file, '\t');
        std::getline(fields, clip.said, '\t');
        std::getline(fields, clip.road, '\t');
        std::getline(fields, clip.voice, '\t');
        std::getline(fields, speed, '\t');
        std::getline(fields, clip.part, '\t');
        std::getline(fields, clip.group, '\t');
        // KELVO_BENCH_ROAD takes one road only.
        const char* road = std::getenv("KELVO_BENCH_ROAD");
        if ((!part || !*part || clip.part == part) && (!road || !*road || clip.road == road)) {
            clips.push_back(std::move(clip));
        }
    }
    std::vector<std::string> titles;
    std::ifstream bookmarks(corpusDir() / "bookmarks.txt");
    for (std::string line; std::getline(bookmarks, line);) {
        titles.push_back(line);
    }
    if (clips.empty() || titles.empty()) {
        state.SkipWithError("no dictation in the corpus: run bench/speech_corpus.py again");
        return;
    }
    SphinxDecoder& decoder = *engine().decoder;
    auto model = decoder.readLanguageModel(installedSphinxModel().languageModel);
    if (!model || !decoder.addLanguageModelSearch(kDictationSearchName, model->get())) {
        state.SkipWithError("no language model");
        return;
    }
    SphinxVocabularyOptions options;
    if (const char* cost = std::getenv("KELVO_VOCABULARY_GARBAGE")) {
        options.garbagePhoneLogProb = std::atof(cost);
    }
    if (const char* cost = std::getenv("KELVO_VOCABULARY_RUN")) {
        options.runLogProb = std::atof(cost);
    }
    if (const char* cost = std::getenv("KELVO_VOCABULARY_PART_RUN")) {
        options.partRunLogProb = std::atof(cost);
    }
    const bool general = std::getenv("KELVO_BENCH_NO_VOCABULARY") != nullptr;
    // No places of the user's own: the states and cities alone.
    struct Unreported : ErrorSink {
        void reportError(int, std::string_view, std::string_view) override {}
    } unreported;
    SettingsFile noPlaces(std::filesystem::temp_directory_path() / "kelvo-bench-no-places.ini",
                          unreported);
    std::map<std::string, std::shared_ptr<const SphinxCommandGrammar>> vocabularies;
    if (!general) {
        auto make = [&](const std::vector<std::string>& texts) {
            return std::make_shared<const SphinxCommandGrammar>(
                compileVocabulary(texts, *engine().lexicon, decoder.logmath(), options));
        };
        vocabularies["bookmark"] = make(titles);
        vocabularies["zip"] = make(zipCodeVocabulary());
        vocabularies["city"] = make(cityVocabulary(noPlaces));
    }
    SphinxSession session(decoder, [&decoder] { return &decoder; });

    struct RoadTally {
        int words = 0, errors = 0, clips = 0, exact = 0, singles = 0, found = 0;
        int pairs = 0, pairsExact = 0;
        std::vector<double> latencies;
    };
    std::map<std::string, RoadTally> tallies;
    std::mt19937 noise(5);
    std::uniform_int_distribution<int> dither(-6, 6);
    for (auto _ : state) {
        for (const Dictated& clip : clips) {
            auto samples = readWavAsSpeech(corpusDir() / clip.file);
            if (!samples) {
                continue;
            }
            ListeningState listening;
            listening.dictation = DictationTopic::Free;
            listening.dictationActive = true;
            if (auto found = vocabularies.find(clip.road); found != vocabularies.end()) {
                listening.vocabulary = found->second;
            }
            session.setListeningState(listening);
            std::vector<std::int16_t> audio(8000);
            audio.insert(audio.end(), samples->begin(), samples->end());
            std::size_t speechEnd = audio.size();
            while (speechEnd > 8000 && std::abs(audio[speechEnd - 1]) < 1000) {
                --speechEnd;
            }
            audio.resize(audio.size() + 32000);
            for (std::int16_t& s : audio) {
                s = static_cast<std::int16_t>(s + dither(noise));
            }
            std::uint64_t base = session.samplesFed();
            std::optional<SpeechOutcome> heard;
            // The decoding the result waited for once the speech had ended
            // (the general model's, when the vocabulary fitted badly).
            double lastChunkSeconds = 0;
            for (std::size_t at = 0; at < audio.size() && !heard;
                 at += SphinxListener::kChunkSamples) {
                std::size_t n = std::min(SphinxListener::kChunkSamples, audio.size() - at);
                auto start = std::chrono::steady_clock::now();
                auto outcomes = session.feed(audio.data() + at, n);
                lastChunkSeconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                for (const SpeechOutcome& outcome :
                     outcomes ? *outcomes : std::vector<SpeechOutcome>{}) {
                    if (outcome.kind != SpeechOutcome::Kind::Hypothesis) {
                        heard = outcome;
                        break;
                    }
                }
            }
            std::string text =
                heard && heard->kind == SpeechOutcome::Kind::Recognition ? heard->text : "";
            RoadTally& tally = tallies[clip.road];
            std::vector<std::string> said = lowerWords(clip.said);
            std::vector<std::string> got = lowerWords(text);
            int errors = wordErrors(said, got);
            ++tally.clips;
            tally.words += static_cast<int>(said.size());
            tally.errors += errors;
            tally.exact += errors == 0;
            if (said.size() == 2) {
                ++tally.pairs;
                tally.pairsExact += errors == 0;
            }
            if (heard) {
                tally.latencies.push_back(
                    static_cast<double>(heard->resultAt - base) / kSpeechSampleRate -
                    static_cast<double>(speechEnd) / kSpeechSampleRate + lastChunkSeconds);
            }
            if (clip.road == "bookmark" && said.size() == 1) {
                // The search lists every title holding the words heard; the
                // bookmark is found when its title is among them.
                ++tally.singles;
                bool found = false;
                for (const std::string& title : titles) {
                    std::string lower = lowered(title);
                    found =
                        found || (!text.empty() && lower.find(lowered(text)) != std::string::npos &&
                                  lower.find(said[0]) != std::string::npos);
                }
                tally.found += found;
            }
            if (errors && std::getenv("KELVO_BENCH_VERBOSE")) {
                std::fprintf(stderr, "[%s %s] said \"%s\" heard \"%s\"\n", clip.voice.c_str(),
                             clip.road.c_str(), clip.said.c_str(), text.c_str());
            }
        }
    }
    int words = 0, errors = 0;
    for (const auto& [road, t] : tallies) {
        words += t.words;
        errors += t.errors;
        state.counters["word_accuracy_" + road] = t.words ? 1.0 - 1.0 * t.errors / t.words : 0;
        state.counters["exact_" + road] = t.clips ? 1.0 * t.exact / t.clips : 0;
        state.counters["latency_p50_ms_" + road] = percentile(t.latencies, 0.5) * 1000;
        state.counters["latency_p95_ms_" + road] = percentile(t.latencies, 0.95) * 1000;
        if (t.pairs) {
            state.counters["exact_two_words_" + road] = 1.0 * t.pairsExact / t.pairs;
        }
        if (t.singles) {
            state.counters["bookmark_found_single_word"] = 1.0 * t.found / t.singles;
        }
    }
    state.counters["word_accuracy_all"] = words ? 1.0 - 1.0 * errors / words : 0;
}
BENCHMARK(BM_DictationByRoad)->Iterations(1)->Unit(benchmark::kSecond);

// Peak memory of the engine as the program holds it: the command decoder
// with its idle and spelling searches and a grammar of N phrases, and the
// dictation decoder, each used once. Run it alone
// (--benchmark_filter=BM_PeakMemoryAllSearches/20000): the peak is the
// whole process's.
void BM_PeakMemoryAllSearches(benchmark::State& state) {
    SphinxPlatformOptions options =
        sphinxPlatformOptions(std::filesystem::temp_directory_path(), KELVO_RESOURCES_DIR);
    options.grammar = grammarOptions();
    options.decoder.extraArguments = extraDecoderArguments();
    std::string xml = grammarText(static_cast<int>(state.range(0)));
    XmlGrammar parsed = parseXmlGrammar(xml).value();
    std::vector<bool> active(parsed.rules.size(), true);
    // One clip only: the whole corpus would weigh more than the engine.
    std::vector<std::int16_t> command;
    std::ifstream manifest(corpusDir() / "manifest.tsv");
    for (std::string line; command.empty() && std::getline(manifest, line);) {
        std::string file = line.substr(0, line.find('\t'));
        if (line.find("\t\t") == std::string::npos) {
            if (auto samples = readWavAsSpeech(corpusDir() / file)) {
                command = std::move(samples).value();
            }
        }
    }
    if (command.empty()) {
        state.SkipWithError("no command clip");
        return;
    }
    int heard = 0;
    for (auto _ : state) {
        auto core = SphinxEngineCore::create(options);
        if (!core) {
            state.SkipWithError("no engine");
            return;
        }
        std::shared_ptr<SphinxEngineCore> engine = *core;
        SphinxSession session(
            engine->commands(), [engine] { return engine->dictation(); }, &engine->wordsMutex());
        ListeningState listening;
        listening.grammar = engine->compile(xml, parsed, active);
        listening.rulesActive = true;
        std::vector<std::int16_t> audio(8000);
        audio.insert(audio.end(), command.begin(), command.end());
        audio.resize(audio.size() + 32000);
        for (DictationTopic topic :
             {DictationTopic::None, DictationTopic::Free, DictationTopic::Spelling}) {
            listening.dictation = topic;
            listening.dictationActive = topic != DictationTopic::None;
            session.setListeningState(listening);
            for (std::size_t at = 0; at < audio.size(); at += 1600) {
                auto outcomes = session.feed(audio.data() + at, 1600);
                for (const SpeechOutcome& outcome :
                     outcomes ? *outcomes : std::vector<SpeechOutcome>{}) {
                    heard += outcome.kind == SpeechOutcome::Kind::Recognition;
                }
            }
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    // Commands, dictation and spelling each heard the clip.
    state.counters["searches_heard"] = heard;
}
BENCHMARK(BM_PeakMemoryAllSearches)->Apply(atEveryGrammarSize);

} // namespace
