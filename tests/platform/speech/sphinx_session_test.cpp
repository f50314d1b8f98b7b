#include "platform/speech/sphinx_session.h"

#include "fakes/espeak_clips.h"
#include "platform/speech/sphinx_audio_source.h"
#include "platform/speech/sphinx_lexicon.h"
#include "platform/speech/sphinx_listener.h"
#include "platform/speech/sphinx_vocabulary_grammar.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace kelvo::speech {
namespace {

// Catalogue-like commands; a few of their words are not in the dictionary.
const std::vector<std::string> kPhrases{
    "open youtube",           "go to amazon",        "show me the weather",
    "search google",          "open my email",       "play some music",
    "check the news",         "open facebook",       "find a recipe",
    "look up the dictionary", "open the calendar",   "show me the maps",
    "go to wikipedia",        "open netflix",        "search ebay",
    "open kelvo help",        "check sports scores", "find hotels",
    "go to the bank",         "open the photos",     "close window",
    "restore window",         "start menu",          "mute computer microphone",
    "open control panel",     "show desktop",        "next page",
    "previous page",          "scroll down",         "scroll up"};

std::string grammarXml() {
    std::string xml = "<GRAMMAR LANGID=\"409\">";
    for (const std::string& p : kPhrases) {
        xml += "<RULE NAME=\"" + p + "\" TOPLEVEL=\"ACTIVE\"><P>" + p + "</P></RULE>";
    }
    return xml + "</GRAMMAR>";
}

class SphinxSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SphinxDecoderOptions options;
        options.model = installedSphinxModel();
        auto made = SphinxDecoder::create(options);
        ASSERT_TRUE(made.ok()) << made.error().message();
        s_decoder = std::move(made).value().release();
        ASSERT_TRUE(prepareCommandDecoder(*s_decoder, "").ok());
        s_lexicon = new DecoderLexicon(*s_decoder, EspeakPronouncer());
        XmlGrammar parsed = parseXmlGrammar(grammarXml()).value();
        std::vector<bool> active(parsed.rules.size(), true);
        s_grammar =
            new std::shared_ptr<const SphinxCommandGrammar>(std::make_shared<SphinxCommandGrammar>(
                compileCommandGrammar(parsed, active, "g1", *s_lexicon, s_decoder->logmath(), {})));
    }
    static void TearDownTestSuite() {
        delete s_grammar;
        delete s_lexicon;
        delete s_decoder;
    }

    /// Feeds the clip with room noise around it; the first outcome that ends
    /// an utterance. The guesses before it go to `guesses`.
    static std::optional<SpeechOutcome> hear(SphinxSession& session,
                                             const std::vector<std::int16_t>& clip,
                                             std::vector<SpeechOutcome>* guesses = nullptr) {
        std::vector<std::int16_t> audio(6400);
        std::uint32_t seed = 1;
        fillWithRoomNoise(audio.data(), audio.size(), seed);
        audio.insert(audio.end(), clip.begin(), clip.end());
        std::size_t end = audio.size();
        audio.resize(end + 24000);
        fillWithRoomNoise(audio.data() + end, 24000, seed);
        constexpr std::size_t kChunk = SphinxListener::kChunkSamples;
        for (std::size_t at = 0; at < audio.size(); at += kChunk) {
            auto outcomes =
                session.feed(audio.data() + at, std::min<std::size_t>(kChunk, audio.size() - at));
            EXPECT_TRUE(outcomes.ok());
            if (!outcomes.ok()) {
                return std::nullopt;
            }
            for (const SpeechOutcome& outcome : *outcomes) {
                if (outcome.kind != SpeechOutcome::Kind::Hypothesis) {
                    return outcome;
                }
                if (guesses) {
                    guesses->push_back(outcome);
                }
            }
        }
        return std::nullopt;
    }

    /// Three verbs by names by topics: 3,024 phrases.
    static ListeningState largeGrammar(SphinxDecoder& decoder, DecoderLexicon& lexicon) {
        const char* verbs[] = {"open", "go to", "show me", "search", "find", "look up", "check"};
        const char* names[] = {"amazon",  "google", "weather", "target", "apple",   "delta",
                               "united",  "chess",  "golf",    "tennis", "soccer",  "hockey",
                               "poker",   "maps",   "yelp",    "kayak",  "monster", "indeed",
                               "fortune", "time",   "people",  "wired",  "subway",  "fox"};
        const char* topics[] = {"news",  "weather", "sports",  "videos", "music",   "photos",
                                "games", "deals",   "reviews", "jobs",   "maps",    "movies",
                                "books", "recipes", "travel",  "hotels", "flights", "shopping"};
        std::string xml = "<GRAMMAR LANGID=\"409\">";
        for (const char* verb : verbs) {
            for (const char* name : names) {
                for (const char* topic : topics) {
                    std::string p = std::string(verb) + " " + name + " " + topic;
                    xml += "<RULE NAME=\"" + p + "\" TOPLEVEL=\"ACTIVE\"><P>" + p + "</P></RULE>";
                }
            }
        }
        xml += "</GRAMMAR>";
        XmlGrammar parsed = parseXmlGrammar(xml).value();
        std::vector<bool> active(parsed.rules.size(), true);
        ListeningState state;
        state.grammar = std::make_shared<SphinxCommandGrammar>(
            compileCommandGrammar(parsed, active, "large", lexicon, decoder.logmath(), {}));
        state.rulesActive = true;
        return state;
    }

    /// Free dictation that hears these texts first.
    static ListeningState vocabularyOf(const std::vector<std::string>& texts) {
        ListeningState state;
        state.dictation = DictationTopic::Free;
        state.dictationActive = true;
        state.vocabulary = std::make_shared<const SphinxCommandGrammar>(
            compileVocabulary(texts, *s_lexicon, s_decoder->logmath(), {}));
        return state;
    }

    static ListeningState commands() {
        ListeningState state;
        state.grammar = *s_grammar;
        state.rulesActive = true;
        return state;
    }

    static SphinxDecoder* s_decoder;
    static DecoderLexicon* s_lexicon;
    static std::shared_ptr<const SphinxCommandGrammar>* s_grammar;
};
SphinxDecoder* SphinxSessionTest::s_decoder = nullptr;
DecoderLexicon* SphinxSessionTest::s_lexicon = nullptr;
std::shared_ptr<const SphinxCommandGrammar>* SphinxSessionTest::s_grammar = nullptr;

TEST_F(SphinxSessionTest, CommandsAreHeardAndOtherSpeechRejected) {
    SphinxSession session(*s_decoder, nullptr);
    session.setListeningState(commands());
    struct Voice {
        const char* name;
        int speed;
    };
    const Voice voices[] = {{"en-us", 160}, {"en-gb", 175}};
    const char* spoken[] = {"open youtube",    "show me the weather", "mute computer microphone",
                            "open kelvo help", "scroll down",         "go to wikipedia"};
    const char* chatter[] = {
        "could you pass me the salt please", "my brother is coming over for dinner on friday",
        "the library closes early on sundays", "I think it might rain later this afternoon",
        "the printer on the second floor is broken again"};
    int commandsRight = 0, commandsSaid = 0, rejected = 0, chatterSaid = 0;
    for (const Voice& voice : voices) {
        for (const char* phrase : spoken) {
            auto heard = hear(session, fakes::spokenClip(phrase, voice.name, voice.speed));
            ++commandsSaid;
            if (heard && heard->kind == SpeechOutcome::Kind::Recognition) {
                // Whatever is recognised is one of the grammar's phrases.
                EXPECT_NE(std::find(kPhrases.begin(), kPhrases.end(), heard->text), kPhrases.end());
                EXPECT_EQ(heard->ruleName, heard->text);
                commandsRight += heard->text == phrase;
            }
        }
        for (const char* sentence : chatter) {
            auto heard = hear(session, fakes::spokenClip(sentence, voice.name, voice.speed));
            ++chatterSaid;
            rejected += !heard || heard->kind == SpeechOutcome::Kind::FalseRecognition;
        }
    }
    EXPECT_GE(commandsRight, commandsSaid * 3 / 4) << commandsRight << " of " << commandsSaid;
    EXPECT_GE(rejected * 5, chatterSaid * 4) << rejected << " of " << chatterSaid;
}

// A large grammar fits stray speech better than a small one: the garbage
// loop must still win over thousands of phrases.
TEST_F(SphinxSessionTest, OtherSpeechIsRejectedByALargeGrammar) {
    ListeningState state = largeGrammar(*s_decoder, *s_lexicon);
    SphinxSession session(*s_decoder, nullptr);
    session.setListeningState(state);

    const char* chatter[] = {
        "the tickets for the show sold out quickly",
        "they are building a new bridge over the river", "my grandmother makes wonderful apple pie",
        "the museum has a new exhibition about ships", "my phone battery is almost dead"};
    const char* spoken[] = {"check google news", "find tennis videos", "look up delta flights"};
    int rejected = 0, said = 0, right = 0;
    for (const char* voice : {"en-us", "en-gb"}) {
        for (const char* sentence : chatter) {
            auto heard = hear(session, fakes::spokenClip(sentence, voice, 160));
            ++said;
            rejected += !heard || heard->kind == SpeechOutcome::Kind::FalseRecognition;
        }
        for (const char* phrase : spoken) {
            auto heard = hear(session, fakes::spokenClip(phrase, voice, 160));
            right += heard && heard->text == phrase;
        }
    }
    EXPECT_GE(rejected * 5, said * 4) << rejected << " of " << said;
    EXPECT_GE(right, 5) << right << " of 6";
}

// A finished phrase ends soon after the voice; one a longer phrase continues
// waits, so the rest said after a fluent pause makes the longer phrase.
TEST_F(SphinxSessionTest, PhrasesThatCouldGoOnWaitForTheRest) {
    std::string xml = "<GRAMMAR>";
    for (const char* p : {"go to amazon", "go to amazon books", "scroll down"}) {
        xml += std::string("<RULE NAME=\"") + p + "\" TOPLEVEL=\"ACTIVE\"><P>" + p + "</P></RULE>";
    }
    XmlGrammar parsed = parseXmlGrammar(xml + "</GRAMMAR>").value();
    ListeningState state;
    state.grammar = std::make_shared<SphinxCommandGrammar>(compileCommandGrammar(
        parsed, std::vector<bool>(3, true), "g2", *s_lexicon, s_decoder->logmath(), {}));
    state.rulesActive = true;
    SphinxSession session(*s_decoder, nullptr);
    session.setListeningState(state);
    // Samples from the end of the voice to the result.
    auto wait = [&](const char* phrase) -> std::int64_t {
        auto clip = fakes::spokenClip(phrase);
        std::size_t end = clip.size();
        while (end > 0 && std::abs(clip[end - 1]) < 1000) {
            --end;
        }
        std::uint64_t voiceEnd = session.samplesFed() + 6400 + end;
        auto heard = hear(session, clip);
        EXPECT_TRUE(heard && heard->text == phrase) << phrase;
        return heard ? static_cast<std::int64_t>(heard->resultAt - voiceEnd) : 0;
    };
    std::int64_t continuable = wait("go to amazon");
    std::int64_t finished = wait("scroll down");
    EXPECT_LT(finished, 25 * 160) << "finished phrases end well before the old 350 ms";
    EXPECT_GE(continuable - finished, 6 * 160);

    auto start = fakes::spokenClip("go to amazon");
    while (!start.empty() && std::abs(start.back()) < 300) {
        start.pop_back();
    }
    std::vector<std::int16_t> pause(1600); // a fluent 100 ms
    std::uint32_t seed = 3;
    fillWithRoomNoise(pause.data(), pause.size(), seed);
    start.insert(start.end(), pause.begin(), pause.end());
    auto rest = fakes::spokenClip("books");
    start.insert(start.end(), rest.begin(), rest.end());
    auto heard = hear(session, start);
    ASSERT_TRUE(heard.has_value());
    EXPECT_EQ(heard->text, "go to amazon books");
}

TEST_F(SphinxSessionTest, GuessesComeWhileAPhraseIsSpokenAndNotTooOften) {
    SphinxSession session(*s_decoder, nullptr);
    session.setListeningState(commands());
    std::vector<SpeechOutcome> guesses;
    auto clip = fakes::spokenClip("mute computer microphone", "en-us", 140);
    auto heard = hear(session, clip, &guesses);
    ASSERT_TRUE(heard.has_value());
    ASSERT_FALSE(guesses.empty());
    std::uint64_t limit = clip.size() / SphinxSession::kHypothesisInterval + 1;
    EXPECT_LE(guesses.size(), limit);
    for (std::size_t i = 0; i < guesses.size(); ++i) {
        EXPECT_FALSE(guesses[i].text.empty());
        EXPECT_TRUE(guesses[i].ruleName.empty());
        EXPECT_LE(guesses[i].resultAt, heard->resultAt);
        EXPECT_GE(guesses[i].speechStart, heard->speechStart);
        if (i > 0) {
            EXPECT_NE(guesses[i].text, guesses[i - 1].text); // only changes are told
            EXPECT_GE(guesses[i].resultAt - guesses[i - 1].resultAt,
                      SphinxSession::kHypothesisInterval);
        }
    }
}

TEST_F(SphinxSessionTest, NothingIsReportedWhileNothingListens) {
    SphinxSession session(*s_decoder, nullptr);
    ListeningState off = commands();
    off.rulesActive = false;
    session.setListeningState(off);
    EXPECT_FALSE(hear(session, fakes::spokenClip("open youtube")).has_value());
    // Switching on while silent takes effect at once.
    session.setListeningState(commands());
    auto heard = hear(session, fakes::spokenClip("open youtube"));
    ASSERT_TRUE(heard.has_value());
    EXPECT_EQ(heard->kind, SpeechOutcome::Kind::Recognition);
    EXPECT_GT(heard->resultAt, heard->speechStart);
}

// The program switches what it listens for often; a switch while the
// detector is still making sure of the speech must not cut its first word.
TEST_F(SphinxSessionTest, ASwitchAsSpeechBeginsKeepsItsStart) {
    ListeningState off = commands();
    off.rulesActive = false;
    int right = 0;
    for (const std::string& phrase : kPhrases) {
        SphinxSession session(*s_decoder, nullptr);
        session.setListeningState(off);
        std::vector<std::int16_t> audio(8000);
        std::uint32_t seed = 5;
        fillWithRoomNoise(audio.data(), audio.size(), seed);
        auto clip = fakes::spokenClip(phrase);
        std::size_t voice = 0;
        while (voice < clip.size() && std::abs(clip[voice]) < 1000) {
            ++voice;
        }
        const std::size_t chunk = SphinxListener::kChunkSamples;
        std::size_t switchAt = (audio.size() + voice + 640) / chunk; // 40 ms into the voice
        audio.insert(audio.end(), clip.begin(), clip.end());
        audio.resize(audio.size() + 16000);
        fillWithRoomNoise(audio.data() + audio.size() - 16000, 16000, seed);
        std::optional<SpeechOutcome> heard;
        for (std::size_t n = 0; n * chunk + chunk <= audio.size() && !heard; ++n) {
            if (n == switchAt && !session.inSpeech()) {
                session.setListeningState(commands());
            }
            auto outcomes = session.feed(audio.data() + n * chunk, chunk);
            ASSERT_TRUE(outcomes.ok());
            for (const SpeechOutcome& outcome : *outcomes) {
                if (outcome.kind != SpeechOutcome::Kind::Hypothesis) {
                    heard = outcome;
                }
            }
        }
        right += heard && heard->text == phrase;
    }
    // Cut, one in four is missed.
    EXPECT_GE(right, static_cast<int>(kPhrases.size()) * 5 / 6);
}

TEST_F(SphinxSessionTest, SpellingGivesLetters) {
    SphinxSession session(*s_decoder, nullptr);
    ListeningState spelling;
    spelling.dictation = DictationTopic::Spelling;
    spelling.dictationActive = true;
    session.setListeningState(spelling);
    auto heard = hear(session, fakes::spokenClip("bravo. oscar. bravo.", "en-us", 150));
    ASSERT_TRUE(heard.has_value());
    ASSERT_EQ(heard->kind, SpeechOutcome::Kind::Recognition);
    EXPECT_FALSE(heard->text.empty());
    for (char c : heard->text) {
        EXPECT_TRUE(c >= 'a' && c <= 'z') << heard->text;
    }
}

TEST_F(SphinxSessionTest, FreeDictationSharesTheCommandDecoder) {
    int loads = 0;
    SphinxSession session(*s_decoder, [&]() -> SphinxDecoder* {
        ++loads;
        auto model = s_decoder->readLanguageModel(installedSphinxModel().languageModel);
        EXPECT_TRUE(model.ok());
        if (!model || !s_decoder->addLanguageModelSearch(kDictationSearchName, model->get())) {
            return nullptr;
        }
        return s_decoder;
    });
    ListeningState free;
    free.dictation = DictationTopic::Free;
    free.dictationActive = true;
    session.setListeningState(free);
    auto heard = hear(session, fakes::spokenClip("the weather is nice today"));
    ASSERT_TRUE(heard.has_value());
    EXPECT_EQ(heard->kind, SpeechOutcome::Kind::Recognition);
    EXPECT_FALSE(heard->text.empty());
    EXPECT_EQ(heard->text.find('<'), std::string::npos); // no silence marks
    EXPECT_EQ(heard->ruleName, "");

    // Back to commands in the same decoder, then dictation again.
    session.setListeningState(commands());
    heard = hear(session, fakes::spokenClip("open youtube"));
    ASSERT_TRUE(heard.has_value());
    EXPECT_EQ(heard->kind, SpeechOutcome::Kind::Recognition);
    EXPECT_EQ(heard->text, "open youtube");
    session.setListeningState(free);
    heard = hear(session, fakes::spokenClip("four five two one one"));
    ASSERT_TRUE(heard.has_value());
    EXPECT_NE(heard->text, "");
    EXPECT_EQ(loads, 1);
}

// Last: the dictation search it adds makes every later change of words
// rebuild it.
TEST_F(SphinxSessionTest, AVocabularyHearsItsWordsAndLeavesOtherSpeechToTheGeneralModel) {
    auto model = s_decoder->readLanguageModel(installedSphinxModel().languageModel);
    ASSERT_TRUE(model.ok());
    ASSERT_TRUE(s_decoder->addLanguageModelSearch(kDictationSearchName, model->get()).ok());
    const std::vector<std::string> titles{"Marathon Training Plan", "Garden Centre Opening Hours",
                                          "Vegetarian Curry Recipe", "Train Timetable"};
    ListeningState state = vocabularyOf(titles);
    SphinxSession session(*s_decoder, [] { return s_decoder; });
    session.setListeningState(state);

    std::optional<SpeechOutcome> heard = hear(session, fakes::spokenClip("marathon training"));
    ASSERT_TRUE(heard);
    EXPECT_EQ(heard->text, "marathon training");

    heard = hear(session, fakes::spokenClip("the library closes early on sundays"));
    ASSERT_TRUE(heard);
    ASSERT_EQ(heard->kind, SpeechOutcome::Kind::Recognition);
    std::istringstream words(heard->text);
    bool generalWord = false;
    for (std::string word; words >> word;) {
        generalWord = generalWord || !state.vocabulary->phrases.count(word);
    }
    EXPECT_TRUE(generalWord) << heard->text;
}

// After the vocabulary test: speech the vocabulary fits badly needs its
// dictation search.
TEST_F(SphinxSessionTest, APieceOfATitleIsNotHeardAsTwoPieces) {
    const std::vector<std::string> titles{
        "Council Tax Account",    "Dentist Appointment",        "Knitting Patterns for Beginners",
        "Dog Training Videos",    "Guitar Chords and Tabs",     "Electricity Bill Payment",
        "Google Maps Directions", "Garden Centre Opening Hours"};
    ListeningState state = vocabularyOf(titles);
    SphinxSession session(*s_decoder, [] { return s_decoder; });
    session.setListeningState(state);
    struct Case {
        const char* said;
        const char* voice;
        int speed;
    } cases[] = {{"council tax", "en-us-nyc", 160},
                 {"knitting patterns", "en-gb-scotland", 170},
                 {"electricity bill", "en-us-nyc", 160}};
    for (const Case& c : cases) {
        std::optional<SpeechOutcome> heard =
            hear(session, fakes::spokenClip(c.said, c.voice, c.speed));
        ASSERT_TRUE(heard);
        EXPECT_EQ(heard->text, c.said) << c.voice;
    }
}

TEST_F(SphinxSessionTest, AVocabularyWordIsHeardAsRegionalAccentsSayIt) {
    const std::vector<std::string> titles{"Council Tax Account", "Dog Training Videos",
                                          "Guitar Chords and Tabs", "Camping Checklist",
                                          "Cinema Listings"};
    ListeningState state = vocabularyOf(titles);
    SphinxSession session(*s_decoder, [] { return s_decoder; });
    session.setListeningState(state);
    struct Case {
        const char* said;
        const char* voice;
    } cases[] = {{"tax", "en-gb-scotland"}, {"tabs", "en-gb-scotland"}};
    for (const Case& c : cases) {
        std::optional<SpeechOutcome> heard = hear(session, fakes::spokenClip(c.said, c.voice, 160));
        ASSERT_TRUE(heard);
        EXPECT_EQ(heard->text, c.said) << c.voice;
    }
}

// The leading silence may not take in talk the phrase cannot explain.
TEST_F(SphinxSessionTest, ACommandRunOnFromQuietTalkIsRejected) {
    // A decoder of its own: how well quiet talk fits silence depends on the
    // levels the decoder has heard before. Last in the file: making a decoder
    // moves the library's shared dither noise, and the tests above have
    // borderline clips.
    SphinxDecoderOptions options;
    options.model = installedSphinxModel();
    auto decoder = SphinxDecoder::create(options);
    ASSERT_TRUE(decoder.ok());
    ASSERT_TRUE(prepareCommandDecoder(**decoder, "").ok());
    DecoderLexicon lexicon(**decoder, EspeakPronouncer());
    SphinxSession session(**decoder, nullptr);
    session.setListeningState(largeGrammar(**decoder, lexicon));
    const char* before[] = {"and then I told him to", "yesterday she wanted to",
                            "the manager asked me to", "my brother always says"};
    const char* spoken[] = {"check google news", "find tennis videos", "look up delta flights",
                            "open apple music"};
    int heardAsCommand = 0;
    for (const char* voice : {"en-us", "en-gb"}) {
        for (int i = 0; i < 4; ++i) {
            // Talk a room away, then the command with no pause.
            auto clip = fakes::spokenClip(before[i], voice, 175);
            for (std::int16_t& s : clip) {
                s = static_cast<std::int16_t>(s / 10);
            }
            while (!clip.empty() && std::abs(clip.back()) < 30) {
                clip.pop_back();
            }
            auto command = fakes::spokenClip(spoken[i], voice, 175);
            clip.insert(clip.end(), command.begin(), command.end());
            auto heard = hear(session, clip);
            heardAsCommand += heard && heard->kind == SpeechOutcome::Kind::Recognition;
        }
    }
    EXPECT_LE(heardAsCommand, 1) << heardAsCommand << " of 8";
}

} // namespace
} // namespace kelvo::speech
