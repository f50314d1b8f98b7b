// How long arming a dictation with a vocabulary holds the UI thread: the
// call through the engine's grammar with 20,000 made-up titles, the first
// time (thousands of new words for espeak-ng) and again with the same
// titles, and how long the compilation behind it takes.
//   build/bench/dictation_vocabulary_bench
#include "platform/atomic_file.h"
#include "platform/speech/sphinx_reco_context.h"
#include "platform/speech/sphinx_speech_platform.h"
#include "platform/speech/sphinx_wav.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>
#include <thread>

using namespace kelvo;
using namespace kelvo::speech;

namespace {

using Clock = std::chrono::steady_clock;

struct Unheard : SpeechEventSink {
    void onRecognition(const PhraseEvent&) override {}
    void onHypothesis(const PhraseEvent&) override {}
    void onFalseRecognition(const PhraseEvent&) override {}
    void onInterference(const InterferenceEvent&) override {}
    void onRequestUI(const RequestUiEvent&) override {}
};

struct Dropped : UiPoster {
    void post(std::function<void()>) override {}
};

// Titles of a made-up word and two common ones, as a large bookmark store
// of a user who reads in many languages gives.
std::vector<std::string> madeUpTitles(std::size_t count) {
    const char* syllables[] = {"ka",  "lo",  "vre", "mint", "zor", "pel", "qua", "dri",
                               "sen", "tho", "bix", "ulm",  "fra", "gno", "yst", "wen"};
    const char* common[] = {"news",   "recipe", "garden", "weather", "music", "travel",
                            "school", "bank",   "photos", "sports",  "maps",  "review"};
    std::mt19937 random(7);
    std::vector<std::string> titles;
    for (std::size_t i = 0; i < count; ++i) {
        std::string word;
        for (int part = 0, parts = 2 + static_cast<int>(random() % 2); part < parts; ++part) {
            word += syllables[random() % std::size(syllables)];
        }
        word[0] = static_cast<char>(word[0] - 'a' + 'A');
        titles.push_back(word + " " + common[random() % std::size(common)] + " " +
                         common[random() % std::size(common)]);
    }
    return titles;
}

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void BM_DictationVocabularyOnUiThread(benchmark::State& state) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "kelvo-vocab-bench";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    (void)writeSpeechWav(dir / "quiet.wav", std::vector<std::int16_t>(16000, 0));
    (void)writeFileAtomically(dir / "speech.ini",
                              "[AudioInput]\nSource=file:" + (dir / "quiet.wav").string() + "\n");
    (void)writeFileAtomically(dir / "grammar.xml", R"(<GRAMMAR LANGID="409">
  <RULE NAME="search bookmarks" TOPLEVEL="ACTIVE"><P>search bookmarks</P></RULE></GRAMMAR>)");
    SphinxPlatformOptions options = sphinxPlatformOptions(dir / "data", KELVO_RESOURCES_DIR);
    options.settingsFile = dir / "speech.ini";
    Dropped poster;
    Unheard sink;
    auto platform = makeSphinxSpeechPlatform(poster, options);
    auto recognizer = platform->createRecognizer();
    auto input = platform->defaultAudioInput();
    if (!recognizer || !input || !(*recognizer)->setAudioInput(*input)) {
        state.SkipWithError("no recognizer");
        return;
    }
    auto context = (*recognizer)->createRecoContext(sink);
    auto grammar = (*context)->createGrammar(1);
    if (!grammar || !(*grammar)->cmdLoadFromFile((dir / "grammar.xml").string(), {}) ||
        !(*grammar)->cmdSetRuleIdState(kAllRules, RuleState::Active)) {
        state.SkipWithError("no grammar");
        return;
    }
    const std::vector<std::string> titles = madeUpTitles(static_cast<std::size_t>(state.range(0)));
    auto& sphinx = static_cast<SphinxRecoContext&>(**context);
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        (void)(*grammar)->dictationLoadVocabulary(titles);
        state.counters["first_call_ms"] = millisecondsSince(start);
        while (!sphinx.grammarState().vocabulary->grammar()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        state.counters["compiled_behind_ms"] = millisecondsSince(start);
        start = Clock::now();
        (void)(*grammar)->dictationLoadVocabulary(titles);
        state.counters["cached_call_ms"] = millisecondsSince(start);
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_DictationVocabularyOnUiThread)
    ->Arg(20000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
