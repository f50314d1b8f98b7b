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

TEST(SphinxListener, WordsSaidBeforeTheVocabularyIsReadyAreHeldAndHeardWithIt) {
    SphinxDecoderOptions options;
    options.model = installedSphinxModel();
    auto decoder = SphinxDecoder::create(options);
    ASSERT_TRUE(decoder.ok()) << decoder.error().message();
    ASSERT_TRUE(prepareCommandDecoder(**decoder, "").ok());
    auto model = (*decoder)->readLanguageModel(options.model.languageModel);
    ASSERT_TRUE(model.ok());
    ASSERT_TRUE((*decoder)->addLanguageModelSearch(kDictationSearchName, model->get()).ok());
    DecoderLexicon lexicon(**decoder, EspeakPronouncer());

    // The vocabulary compiles only once the words are said and over.
    std::promise<void> open;
    std::shared_future<void> gate = open.get_future().share();
    SphinxVocabularyCompiler compiler([&](const std::vector<std::string>& texts) {
        gate.wait();
        return compileVocabulary(texts, lexicon, (*decoder)->logmath(), {});
    });
    ListeningState state;
    state.dictation = DictationTopic::Free;
    state.dictationActive = true;
    state.pendingVocabulary = compiler.request({"Quorbix Weekly", "Marathon Training Plan"});

    // No dictionary holds the word: only the vocabulary can hear it.
    std::vector<std::int16_t> clip = fakes::spokenClip("quorbix");
    ASSERT_FALSE(clip.empty());
    std::mutex mutex;
    std::condition_variable heard;
    std::vector<std::string> texts;
    ListenerEvents events;
    events.outcome = [&](const SpeechOutcome& outcome) {
        if (outcome.kind != SpeechOutcome::Kind::Hypothesis) {
            std::lock_guard lock(mutex);
            texts.push_back(outcome.text);
            heard.notify_all();
        }
    };
    SphinxListener listener(
        **decoder, [&] { return decoder->get(); }, lexicon.mutex(), makeSampleSource(clip),
        std::move(events));
    listener.setListeningState(state);

    // Said in real time, with the end silence after it.
    std::this_thread::sleep_for(std::chrono::milliseconds(clip.size() / 16) + 800ms);
    std::unique_lock lock(mutex);
    EXPECT_TRUE(texts.empty()) << texts.front();
    open.set_value();
    ASSERT_TRUE(heard.wait_for(lock, 20s, [&] { return !texts.empty(); }));
    EXPECT_EQ(texts.front(), "quorbix");
}

} // namespace
} // namespace kelvo::speech
