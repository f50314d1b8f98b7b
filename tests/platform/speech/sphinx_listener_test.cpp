#include "platform/speech/sphinx_listener.h"

#include "fakes/espeak_clips.h"
#include "platform/speech/sphinx_lexicon.h"
#include "platform/speech/sphinx_vocabulary_compiler.h"
#include "platform/speech/sphinx_vocabulary_grammar.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>

namespace kelvo::speech {
namespace {

using namespace std::chrono_literals;

// A listener in free dictation whose vocabulary compiles only once the test
// opens the gate. No dictionary holds the word said: only the vocabulary
// can hear it.
class SphinxListenerTest : public ::testing::Test {
protected:
    void SetUp() override {
        SphinxDecoderOptions options;
        options.model = installedSphinxModel();
        auto made = SphinxDecoder::create(options);
        ASSERT_TRUE(made.ok()) << made.error().message();
        decoder = std::move(made).value();
        ASSERT_TRUE(prepareCommandDecoder(*decoder, "").ok());
        auto model = decoder->readLanguageModel(options.model.languageModel);
        ASSERT_TRUE(model.ok());
        ASSERT_TRUE(decoder->addLanguageModelSearch(kDictationSearchName, model->get()).ok());
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

    void listen(bool paced) {
        ListeningState state;
        state.dictation = DictationTopic::Free;
        state.dictationActive = true;
        state.pendingVocabulary = compiler->request({"Quorbix Weekly", "Marathon Training Plan"});
        ListenerEvents events;
        events.outcome = [this](const SpeechOutcome& outcome) {
            if (outcome.kind != SpeechOutcome::Kind::Hypothesis) {
                std::lock_guard lock(mutex);
                texts.push_back(outcome.text);
                heard.notify_all();
            }
        };
        listener = std::make_unique<SphinxListener>(
            *decoder, [this] { return decoder.get(); }, lexicon->mutex(),
            makeSampleSource(clip, paced), std::move(events));
        listener->setListeningState(state);
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

} // namespace
} // namespace kelvo::speech
