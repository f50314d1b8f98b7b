#include "platform/speech/sphinx_listener.h"

#include "fakes/espeak_clips.h"
#include "platform/speech/sphinx_lexicon.h"
#include "platform/speech/sphinx_vocabulary_compiler.h"
#include "platform/speech/sphinx_vocabulary_grammar.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <optional>

namespace kelvo::speech {
namespace {

using namespace std::chrono_literals;

// A decoder that hears with the general model, fresh: one that has heard
// before starts from the noise it measured then.
std::unique_ptr<SphinxDecoder> dictationDecoder() {
    SphinxDecoderOptions options;
    options.model = installedSphinxModel();
    auto made = SphinxDecoder::create(options);
    EXPECT_TRUE(made.ok()) << made.error().message();
    if (!made.ok() || !prepareCommandDecoder(**made, "").ok()) {
        return nullptr;
    }
    auto model = (*made)->readLanguageModel(options.model.languageModel);
    if (!model.ok() || !(*made)->addLanguageModelSearch(kDictationSearchName, model->get()).ok()) {
        return nullptr;
    }
    return std::move(made).value();
}

// A listener in free dictation whose vocabulary compiles only once the test
// opens the gate. No dictionary holds the word said: only the vocabulary
// can hear it.
class SphinxListenerTest : public ::testing::Test {
protected:
    void SetUp() override {
        decoder = dictationDecoder();
        ASSERT_TRUE(decoder);
        lexicon = std::make_unique<DecoderLexicon>(*decoder, EspeakPronouncer());
        compiler = std::make_unique<SphinxVocabularyCompiler>(
            [this, gate = gate.get_future().share()](const std::vector<std::string>& texts) {
                gate.wait();
                return compileVocabulary(texts, *lexicon, decoder->logmath(), {});
            });
        clip = fakes::spokenClip("quorbix");
        ASSERT_FALSE(clip.empty());
    }
    void TearDown() override {
        listener.reset();
        open();
        compiler.reset();
    }

    /// Free dictation, waiting for the vocabulary unless `heardBy` is
    /// another decoder.
    void listen(bool paced, SphinxDecoder* heardBy = nullptr) {
        ListeningState state;
        state.dictation = DictationTopic::Free;
        state.dictationActive = true;
        if (!heardBy) {
            heardBy = decoder.get();
            state.pendingVocabulary =
                compiler->request({"Quorbix Weekly", "Marathon Training Plan"});
        }
        ListenerEvents events;
        events.outcome = [this](const SpeechOutcome& outcome) {
            if (outcome.kind != SpeechOutcome::Kind::Hypothesis) {
                std::lock_guard lock(mutex);
                texts.push_back(outcome.text);
                starts.push_back(outcome.speechStart);
                heard.notify_all();
            }
        };
        listener = std::make_unique<SphinxListener>(
            *heardBy, [heardBy] { return heardBy; }, lexicon->mutex(),
            makeSampleSource(clip, paced), std::move(events));
        listener->setListeningState(state);
    }

    /// Where the first utterance that begins at or after `from` begins.
    std::optional<std::uint64_t> firstStartFrom(std::uint64_t from) {
        std::unique_lock lock(mutex);
        std::optional<std::uint64_t> found;
        heard.wait_for(lock, 60s, [&] {
            for (std::uint64_t start : starts) {
                if (start >= from) {
                    found = start;
                    return true;
                }
            }
            return false;
        });
        return found;
    }

    void open() {
        if (!opened) {
            opened = true;
            gate.set_value();
        }
    }

    std::unique_ptr<SphinxDecoder> decoder;
    std::unique_ptr<DecoderLexicon> lexicon;
    std::promise<void> gate;
    bool opened = false;
    std::unique_ptr<SphinxVocabularyCompiler> compiler;
    std::vector<std::int16_t> clip;
    std::unique_ptr<SphinxListener> listener;
    std::mutex mutex;
    std::condition_variable heard;
    std::vector<std::string> texts;
    std::vector<std::uint64_t> starts;
};

TEST_F(SphinxListenerTest, WordsSaidBeforeTheVocabularyIsReadyAreHeldAndHeardWithIt) {
    listen(true);
    // Said in real time, with the end silence after it.
    std::this_thread::sleep_for(std::chrono::milliseconds(clip.size() / 16) + 800ms);
    std::unique_lock lock(mutex);
    EXPECT_TRUE(texts.empty()) << texts.front();
    open();
    ASSERT_TRUE(heard.wait_for(lock, 20s, [&] { return !texts.empty(); }));
    EXPECT_EQ(texts.front(), "quorbix");
}

TEST_F(SphinxListenerTest, AVocabularyLongInComingLeavesTheWordsToTheGeneralModel) {
    // The sound comes faster than real time: the most held is soon reached.
    listen(false);
    std::unique_lock lock(mutex);
    ASSERT_TRUE(heard.wait_for(lock, 30s, [&] { return !texts.empty(); }));
    EXPECT_NE(texts.front(), "quorbix");
}

TEST_F(SphinxListenerTest, SoundPastTheMostHeldIsHeardOnce) {
    // Words right after the most sound held begin where a listener that
    // never waited hears them begin, not a chunk later.
    std::vector<std::int16_t> said = clip;
    clip.assign(SphinxListener::kLongestHeldSamples, 0);
    clip.insert(clip.end(), said.begin(), said.end());
    listen(false);
    std::optional<std::uint64_t> afterWaiting = firstStartFrom(SphinxListener::kLongestHeldSamples);
    ASSERT_TRUE(afterWaiting);
    listener.reset();
    std::unique_ptr<SphinxDecoder> fresh = dictationDecoder();
    ASSERT_TRUE(fresh);
    starts.clear();
    listen(false, fresh.get());
    EXPECT_EQ(firstStartFrom(SphinxListener::kLongestHeldSamples), afterWaiting);
    listener.reset();
}

} // namespace
} // namespace kelvo::speech
