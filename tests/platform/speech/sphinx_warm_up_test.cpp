#include "platform/speech/sphinx_warm_up.h"

#include "fakes/espeak_clips.h"
#include "platform/atomic_file.h"
#include "platform/speech/sphinx_audio_source.h"
#include "platform/speech/sphinx_lexicon.h"
#include "platform/speech/sphinx_session.h"
#include "test_paths.h"

#include <gtest/gtest.h>

namespace kelvo::speech {
namespace {

/// The installed command grammar, as the program listens with it.
struct ShippedCommands {
    std::unique_ptr<SphinxDecoder> decoder;
    std::unique_ptr<DecoderLexicon> lexicon;
    std::shared_ptr<const SphinxCommandGrammar> grammar;
};

ShippedCommands shippedCommands() {
    ShippedCommands made;
    SphinxDecoderOptions options;
    options.model = installedSphinxModel();
    made.decoder = std::move(SphinxDecoder::create(options)).value();
    const std::filesystem::path resources(KELVO_RESOURCES_DIR);
    EXPECT_TRUE(
        prepareCommandDecoder(*made.decoder, *readWholeFile(resources / "speech" / "kelvo.dict"))
            .ok());
    made.lexicon = std::make_unique<DecoderLexicon>(*made.decoder, EspeakPronouncer());
    XmlGrammar parsed =
        parseXmlGrammar(*readWholeFile(resources / "defaults" / "en_CLICK.XML")).value();
    std::vector<bool> active;
    for (const XmlGrammarRule& rule : parsed.rules) {
        active.push_back(rule.topLevel);
    }
    made.grammar = std::make_shared<const SphinxCommandGrammar>(compileCommandGrammar(
        parsed, active, "shipped", *made.lexicon, made.decoder->logmath(), {}));
    return made;
}

/// Every outcome of feeding the samples in 100 ms chunks.
std::vector<SpeechOutcome> hearAll(SphinxSession& session, const std::vector<std::int16_t>& audio) {
    std::vector<SpeechOutcome> heard;
    for (std::size_t at = 0; at < audio.size(); at += 1600) {
        auto outcomes =
            session.feed(audio.data() + at, std::min<std::size_t>(1600, audio.size() - at));
        EXPECT_TRUE(outcomes.ok());
        if (outcomes.ok()) {
            heard.insert(heard.end(), outcomes->begin(), outcomes->end());
        }
    }
    return heard;
}

std::vector<std::int16_t> roomNoise(std::size_t samples, std::uint32_t& seed) {
    std::vector<std::int16_t> noise(samples);
    fillWithRoomNoise(noise.data(), noise.size(), seed);
    return noise;
}

TEST(SphinxWarmUp, PhrasesAfterAQuietStartAreHeard) {
    auto speech = warmUpSpeech();
    auto first = fakes::spokenClip("search wikipedia");
    if (speech.empty() || first.empty()) {
        GTEST_SKIP() << "espeak-ng is not available";
    }
    ShippedCommands commands = shippedCommands();
    ASSERT_TRUE(warmUpDecoder(*commands.decoder, speech).ok());

    // A program starting in a quiet room: seconds of noise, then phrases.
    std::uint32_t seed = 5;
    std::vector<std::int16_t> audio = roomNoise(3 * kSpeechSampleRate, seed);
    for (const char* phrase : {"search wikipedia", "search google"}) {
        auto clip = fakes::spokenClip(phrase);
        audio.insert(audio.end(), clip.begin(), clip.end());
        auto gap = roomNoise(kSpeechSampleRate * 3 / 2, seed);
        audio.insert(audio.end(), gap.begin(), gap.end());
    }
    SphinxSession session(*commands.decoder, nullptr);
    ListeningState listening;
    listening.grammar = commands.grammar;
    listening.rulesActive = true;
    session.setListeningState(listening);

    std::vector<std::string> recognised;
    for (const SpeechOutcome& outcome : hearAll(session, audio)) {
        if (outcome.kind == SpeechOutcome::Kind::Recognition) {
            recognised.push_back(outcome.text);
        }
    }
    EXPECT_EQ(recognised, (std::vector<std::string>{"search wikipedia", "search google"}));
}

TEST(SphinxWarmUp, NoSampleLeavesTheDecoderAlone) {
    SphinxDecoderOptions options;
    options.model = installedSphinxModel();
    auto decoder = std::move(SphinxDecoder::create(options)).value();
    EXPECT_TRUE(warmUpDecoder(*decoder, {}).ok());
    EXPECT_FALSE(decoder->inUtterance());
}

} // namespace
} // namespace kelvo::speech
