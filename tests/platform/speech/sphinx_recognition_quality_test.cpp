#include "platform/speech/sphinx_recognition_quality.h"

#include "fakes/espeak_clips.h"
#include "platform/speech/sphinx_audio_source.h"
#include "platform/speech/sphinx_lexicon.h"
#include "platform/speech/sphinx_listener.h"
#include "platform/speech/sphinx_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace kelvo::speech {
namespace {

// Six of the last eight judged utterances heard poorly, once; utterances too
// short to judge count for nothing.
TEST(PoorRecognitionWatch, AsksOnceWhenMostOfTheLastUtterancesFitPoorly) {
    struct Case {
        const char* utterances; // P poor, G good, - not judged
        int askedAt;            // index of the utterance that asks, -1: none
    };
    const Case cases[] = {
        {"PPPPPP", 5},          {"PPGPPGPP", 7},        {"PP-PP-PP", 7},
        {"PPGPPGPGPGPGPG", -1}, {"GGGGGGGGPPPPPP", 13}, {"PPPPPPPPPPPP", 5}, // and never again
        {"PPPPP-----", -1},
    };
    for (const Case& c : cases) {
        PoorRecognitionWatch watch;
        int askedAt = -1;
        int asks = 0;
        for (int i = 0; c.utterances[i] != '\0'; ++i) {
            const char u = c.utterances[i];
            std::optional<bool> poor;
            if (u != '-') {
                poor = u == 'P';
            }
            if (watch.utteranceEnded(poor)) {
                askedAt = askedAt < 0 ? i : askedAt;
                ++asks;
            }
        }
        EXPECT_EQ(askedAt, c.askedAt) << c.utterances;
        EXPECT_LE(asks, 1) << c.utterances;
    }
}

// What a covered or muffled microphone gives: little above 500 Hz (two
// Butterworth low-pass sections).
std::vector<std::int16_t> muffled(std::vector<std::int16_t> clip) {
    const double w = 2.0 * M_PI * 500.0 / kSpeechSampleRate;
    const double alpha = std::sin(w) / (2.0 * std::sqrt(0.5));
    const double a0 = 1.0 + alpha;
    const double b0 = (1.0 - std::cos(w)) / 2.0 / a0;
    const double b1 = (1.0 - std::cos(w)) / a0;
    const double a1 = -2.0 * std::cos(w) / a0;
    const double a2 = (1.0 - alpha) / a0;
    for (int section = 0; section < 2; ++section) {
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        for (std::int16_t& sample : clip) {
            const double x = sample;
            const double y = b0 * x + b1 * x1 + b0 * x2 - a1 * y1 - a2 * y2;
            x2 = x1;
            x1 = x;
            y2 = y1;
            y1 = y;
            sample = static_cast<std::int16_t>(std::lround(std::clamp(y, -32768.0, 32767.0)));
        }
    }
    return clip;
}

TEST(SphinxRecognitionQuality, SpeechHeardWellFitsAndMuffledSpeechDoesNot) {
    SphinxDecoderOptions options;
    options.model = installedSphinxModel();
    auto decoder = std::move(SphinxDecoder::create(options)).value();
    ASSERT_TRUE(prepareCommandDecoder(*decoder, "").ok());
    DecoderLexicon lexicon(*decoder, EspeakPronouncer());
    const std::string xml = R"(<GRAMMAR LANGID="409">
  <RULE NAME="open youtube" TOPLEVEL="ACTIVE"><P>open youtube</P></RULE>
  <RULE NAME="close window" TOPLEVEL="ACTIVE"><P>close window</P></RULE>
  <RULE NAME="check the news" TOPLEVEL="ACTIVE"><P>check the news</P></RULE>
</GRAMMAR>)";
    XmlGrammar parsed = parseXmlGrammar(xml).value();
    std::vector<bool> active(parsed.rules.size(), true);
    ListeningState listening;
    listening.grammar = std::make_shared<SphinxCommandGrammar>(
        compileCommandGrammar(parsed, active, "g1", lexicon, decoder->logmath(), {}));
    listening.rulesActive = true;
    SphinxSession session(*decoder, nullptr);
    session.setListeningState(listening);

    auto hear = [&](const std::vector<std::int16_t>& clip) {
        std::vector<std::int16_t> audio(6400);
        std::uint32_t seed = 1;
        fillWithRoomNoise(audio.data(), audio.size(), seed);
        audio.insert(audio.end(), clip.begin(), clip.end());
        const std::size_t end = audio.size();
        audio.resize(end + 24000);
        fillWithRoomNoise(audio.data() + end, 24000, seed);
        std::optional<bool> poorFit;
        for (std::size_t at = 0; at < audio.size(); at += SphinxListener::kChunkSamples) {
            // The last chunk is what is left, never samples past the end.
            auto outcomes = session.feed(
                audio.data() + at, std::min(SphinxListener::kChunkSamples, audio.size() - at));
            for (const SpeechOutcome& outcome :
                 outcomes ? *outcomes : std::vector<SpeechOutcome>{}) {
                if (outcome.kind != SpeechOutcome::Kind::Hypothesis && outcome.poorFit) {
                    poorFit = outcome.poorFit;
                }
            }
        }
        return poorFit;
    };
    // Espeak's voice muffled is mostly a vowel or two held long; one
    // phrase may still be followed.
    int poorlyHeard = 0;
    const char* texts[] = {"open youtube", "close window", "the garden looks lovely in the spring"};
    for (const char* text : texts) {
        const auto clip = fakes::spokenClip(text);
        ASSERT_FALSE(clip.empty());
        EXPECT_EQ(hear(clip), false) << text;
        poorlyHeard += hear(muffled(clip)) == true ? 1 : 0;
    }
    EXPECT_GE(poorlyHeard, 2);
}

// Phones a second over the utterance, silence included, and how much of it
// was sound: typing is clicks in silence, a muffled voice one long vowel.
TEST(SphinxRecognitionQuality, FitIsJudgedByPhonesASecond) {
    struct Case {
        std::vector<std::pair<const char*, int>> spans; // word, frames
        std::optional<bool> poor;
    };
    const Case cases[] = {
        {{{"<sil>", 38}, {"open", 33}, {"youtube", 46}}, false},
        {{{"gbg_w", 80}, {"(NULL)", 1}}, true},
        {{{"<sil>", 15}, {"gbg_w", 154}, {"gbg_n", 26}}, true},
        {{{"<sil>", 102}, {"gbg_f", 19}, {"gbg_ae", 3}, {"gbg_p", 16}}, false},
        {{{"gbg_f", 9}, {"gbg_aa", 64}, {"gbg_k", 10}, {"gbg_s", 10}, {"gbg_aa", 18}}, false},
        {{{"<sil>", 10}, {"gbg_w", 19}}, std::nullopt},
    };
    const auto phones = [](const std::string& word) {
        return word.rfind("gbg_", 0) == 0 ? 1 : static_cast<int>(word.size()) - 1;
    };
    for (const Case& c : cases) {
        std::vector<SphinxDecoder::Span> spans;
        int at = 0;
        std::string described;
        for (const auto& [word, frames] : c.spans) {
            spans.push_back({word, at, at + frames - 1, 0});
            at += frames;
            described += std::string(word) + ":" + std::to_string(frames) + " ";
        }
        EXPECT_EQ(fitsPoorly(spans, phones), c.poor) << described;
    }
}

} // namespace
} // namespace kelvo::speech
