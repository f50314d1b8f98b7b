// Voice adaptation: command accuracy on held-out clips of one espeak-ng
// voice before and after a profile is trained on passages that voice read.
//
// The passages reach the profile through the file input, as a user's voice
// reaches the microphone (at the pace of speech: about a minute), then the
// sphinxtrain tools adapt the model. The held-out clips are commands of the
// shipped grammar the passages never contain.
//   build/bench/voice_adaptation_bench
// KELVO_BENCH_VOICE picks the voice (default en-gb-scotland),
// KELVO_BENCH_COMMANDS the number of held-out commands (default 60),
// KELVO_BENCH_VERBOSE lists the misses.
#include "platform/atomic_file.h"
#include "platform/speech/sound_capture.h"
#include "platform/speech/sphinx_audio_source.h"
#include "platform/speech/sphinx_command_grammar.h"
#include "platform/speech/sphinx_lexicon.h"
#include "platform/speech/sphinx_profile_store.h"
#include "platform/speech/sphinx_run_program.h"
#include "platform/speech/sphinx_session.h"
#include "platform/speech/sphinx_voice_adapter.h"
#include "platform/speech/sphinx_wav.h"
#include "platform/speech/sphinx_xml_grammar.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <sstream>
#include <thread>

using namespace kelvo;
using namespace kelvo::speech;

namespace {

namespace fs = std::filesystem;

std::string voice() {
    const char* chosen = std::getenv("KELVO_BENCH_VOICE");
    return chosen && *chosen ? chosen : "en-gb-scotland";
}

// Passages beyond the installed vista.txt, in the same plain style.
const char* const kMorePassages[] = {
    "Every evening my neighbour walks his two dogs down to the harbour and back.",
    "The library keeps its old maps in a quiet room on the second floor.",
    "We planted beans and tomatoes along the fence at the bottom of the garden.",
    "After lunch the children painted pictures of boats and lighthouses.",
    "She took the early bus to the city and was home again before dark.",
    "The baker opens his shop at six and the bread is gone by nine.",
    "Please remember to close the windows before you leave the house.",
    "A cold wind came down from the mountains and the lake froze overnight.",
};

std::vector<std::int16_t> spoken(const std::string& text) {
    auto wav = runProgramForOutput({"espeak-ng", "-v", voice(), "-s", "160", "--stdout", text});
    if (!wav) {
        std::fprintf(stderr, "espeak-ng cannot be run\n");
        std::exit(1);
    }
    return decodeWavAsSpeech(*wav).value();
}

std::vector<std::string> heldOutCommands(const XmlGrammar& grammar) {
    std::vector<std::string> phrases;
    for (const XmlGrammarPhrase& phrase : grammar.phrases) {
        if (phrase.text.find_first_not_of("abcdefghijklmnopqrstuvwxyz ") == std::string::npos) {
            phrases.push_back(phrase.text);
        }
    }
    std::sort(phrases.begin(), phrases.end());
    phrases.erase(std::unique(phrases.begin(), phrases.end()), phrases.end());
    std::shuffle(phrases.begin(), phrases.end(), std::mt19937(17));
    const char* wanted = std::getenv("KELVO_BENCH_COMMANDS");
    phrases.resize(std::min<std::size_t>(phrases.size(), wanted ? std::atoi(wanted) : 60));
    return phrases;
}

struct Clip {
    std::string phrase;
    std::vector<std::int16_t> samples;
};

// Share of clips whose phrase the decoder heard, with the adaptation given.
double accuracy(SphinxDecoder& decoder, const std::shared_ptr<const SphinxCommandGrammar>& grammar,
                const std::vector<Clip>& clips, const VoiceAdaptation& adaptation,
                const char* label) {
    if (Status adapted = decoder.adapt(adaptation); !adapted) {
        std::fprintf(stderr, "%s\n", adapted.message().c_str());
        std::exit(1);
    }
    SphinxSession session(decoder, nullptr);
    session.setListeningState({grammar, true, DictationTopic::None, false, nullptr, nullptr});
    int right = 0;
    std::uint32_t seed = 3;
    for (const Clip& clip : clips) {
        std::vector<std::int16_t> audio(8000);
        fillWithRoomNoise(audio.data(), audio.size(), seed);
        audio.insert(audio.end(), clip.samples.begin(), clip.samples.end());
        std::vector<std::int16_t> tail(32000);
        fillWithRoomNoise(tail.data(), tail.size(), seed);
        audio.insert(audio.end(), tail.begin(), tail.end());
        std::string heard;
        bool ended = false;
        for (std::size_t at = 0; at < audio.size() && !ended; at += 1600) {
            auto outcomes =
                session.feed(audio.data() + at, std::min<std::size_t>(1600, audio.size() - at));
            for (const SpeechOutcome& outcome :
                 outcomes ? *outcomes : std::vector<SpeechOutcome>{}) {
                if (outcome.kind != SpeechOutcome::Kind::Hypothesis) {
                    heard = outcome.kind == SpeechOutcome::Kind::Recognition ? outcome.text : "";
                    ended = true;
                }
            }
        }
        right += heard == clip.phrase;
        if (heard != clip.phrase && std::getenv("KELVO_BENCH_VERBOSE")) {
            std::fprintf(stderr, "[%s] \"%s\" heard as \"%s\"\n", label, clip.phrase.c_str(),
                         heard.c_str());
        }
    }
    return clips.empty() ? 0.0 : static_cast<double>(right) / static_cast<double>(clips.size());
}

void BM_AdaptToOneVoice(benchmark::State& state) {
    const fs::path resources(KELVO_RESOURCES_DIR);
    char folder[] = "/tmp/kelvo-adaptation-bench-XXXXXX";
    const fs::path data = ::mkdtemp(folder);
    SphinxAdapterOptions adapterOptions;
    adapterOptions.cacheFolder = data / "speech-adaptation";
    if (!sphinxAdaptationToolsPresent(adapterOptions)) {
        state.SkipWithError("the sphinxtrain tools are not installed");
        return;
    }

    // The shipped grammar, as the program listens with it.
    SphinxDecoderOptions options;
    options.model = installedSphinxModel();
    auto decoder = SphinxDecoder::create(options).value();
    (void)prepareCommandDecoder(*decoder,
                                readWholeFile(resources / "speech" / "kelvo.dict").value());
    DecoderLexicon lexicon(*decoder, EspeakPronouncer());
    XmlGrammar parsed =
        parseXmlGrammar(readWholeFile(resources / "defaults" / "en_CLICK.XML").value()).value();
    std::vector<bool> active;
    for (const XmlGrammarRule& rule : parsed.rules) {
        active.push_back(rule.topLevel);
    }
    auto grammar = std::make_shared<const SphinxCommandGrammar>(
        compileCommandGrammar(parsed, active, "shipped", lexicon, decoder->logmath(), {}));
    std::vector<Clip> clips;
    for (const std::string& phrase : heldOutCommands(parsed)) {
        clips.push_back({phrase, spoken(phrase)});
    }

    double before = 0, after = 0, trainSeconds = 0, passages = 0;
    for (auto _ : state) {
        before = accuracy(*decoder, grammar, clips, {}, "before");

        // A profile, and the passages read into it through the file input.
        SphinxProfileStore store(data / "speech-profiles");
        SpeechToken profile = store.create("Bench - e0").value();
        const fs::path profileFolder = data / "speech-profiles" / profile.id;
        std::vector<std::string> texts;
        std::istringstream vista(readWholeFile(resources / "defaults" / "vista.txt").value());
        for (std::string line; std::getline(vista, line);) {
            if (!line.empty()) {
                texts.push_back(line);
            }
        }
        texts.insert(texts.end(), std::begin(kMorePassages), std::end(kMorePassages));
        std::vector<AdaptationRecording> recordings;
        auto capture = makeSoundCapture();
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const fs::path said = data / ("said" + std::to_string(i) + ".wav");
            const auto samples = spoken(texts[i]);
            (void)writeSpeechWav(said, samples);
            (void)capture->start({AudioSourceKind::File, said}, {});
            std::this_thread::sleep_for(
                std::chrono::milliseconds(samples.size() * 1000 / kSpeechSampleRate + 300));
            const fs::path recorded =
                profileFolder / "recordings" / ("passage" + std::to_string(i + 1) + ".wav");
            (void)writeSpeechWav(recorded, capture->stop());
            recordings.push_back({recorded, texts[i]});
        }
        passages = static_cast<double>(recordings.size());

        auto started = std::chrono::steady_clock::now();
        std::atomic<bool> cancel{false};
        Status adapted =
            makeSphinxVoiceAdapter(adapterOptions)->adapt(profileFolder, recordings, {}, cancel);
        trainSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        if (!adapted) {
            state.SkipWithError(adapted.message().c_str());
            break;
        }
        after =
            accuracy(*decoder, grammar, clips, readVoiceAdaptation(profileFolder).value(), "after");
    }
    state.counters["accuracy_before"] = before;
    state.counters["accuracy_after"] = after;
    state.counters["held_out_clips"] = static_cast<double>(clips.size());
    state.counters["passages"] = passages;
    state.counters["training_s"] = trainSeconds;
    state.SetLabel(voice());
    std::error_code ignored;
    fs::remove_all(data, ignored);
}
BENCHMARK(BM_AdaptToOneVoice)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
