#include "fakes/scripted_speech_engine.h"

#include "fakes/queued_ui_poster.h"
#include "fakes/recording_speech_sink.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

namespace kelvo::fakes {
namespace {

using speech::LoadOption;
using speech::RuleState;

constexpr const char* kGrammar = R"(<GRAMMAR LANGID="409">
  <RULE NAME="open google" TOPLEVEL="ACTIVE"><P>open google</P></RULE>
  <RULE NAME="music" TOPLEVEL="ACTIVE"><P>+play <L><P>next</P><P>previous</P></L> song</P>
    <O>please</O></RULE>
</GRAMMAR>)";

class ScriptedEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(writeFileAtomically(dir / "g.xml", kGrammar).ok());
        auto recognizer = platform.createRecognizer();
        ASSERT_TRUE(recognizer.ok());
        recognizerHolder = std::move(recognizer).value();
        auto context = recognizerHolder->createRecoContext(sink);
        ASSERT_TRUE(context.ok());
        contextHolder = std::move(context).value();
        ASSERT_TRUE(contextHolder
                        ->setEventInterests(speech::event_interest::kRecognition |
                                            speech::event_interest::kFalseRecognition)
                        .ok());
        auto grammar = contextHolder->createGrammar(1);
        ASSERT_TRUE(grammar.ok());
        grammarHolder = std::move(grammar).value();
    }

    std::vector<std::string> sayAndDrain(const std::string& phrase) {
        sink.events.clear();
        platform.say(phrase);
        poster.drain();
        return sink.events;
    }

    TempDir dir;
    QueuedUiPoster poster;
    RecordingSpeechSink sink;
    ScriptedSpeechPlatform platform{poster};
    std::unique_ptr<speech::Recognizer> recognizerHolder;
    std::unique_ptr<speech::RecoContext> contextHolder;
    std::unique_ptr<speech::SpeechGrammar> grammarHolder;
};

TEST_F(ScriptedEngineTest, HearsOnlyLoadedActiveRules) {
    EXPECT_EQ(sayAndDrain("open google"), std::vector<std::string>{"FalseRecognition open google"});
    ASSERT_TRUE(grammarHolder->cmdLoadFromFile((dir / "g.xml").string(), LoadOption::Dynamic).ok());
    EXPECT_EQ(sayAndDrain("open google"), std::vector<std::string>{"FalseRecognition open google"});
    ASSERT_TRUE(grammarHolder->cmdSetRuleIdState(speech::kAllRules, RuleState::Active).ok());
    EXPECT_EQ(sayAndDrain("Open Google"),
              std::vector<std::string>{"Recognition open google [open google] 0"});
    ASSERT_TRUE(grammarHolder->cmdSetRuleIdState(speech::kAllRules, RuleState::Inactive).ok());
    EXPECT_EQ(sayAndDrain("open google"), std::vector<std::string>{"FalseRecognition open google"});
}

TEST_F(ScriptedEngineTest, ListsOptionalsAndMarksAreHonoured) {
    ASSERT_TRUE(grammarHolder->cmdLoadFromFile((dir / "g.xml").string(), LoadOption::Dynamic).ok());
    ASSERT_TRUE(grammarHolder->cmdSetRuleIdState(speech::kAllRules, RuleState::Active).ok());
    EXPECT_EQ(sayAndDrain("play next song"),
              std::vector<std::string>{"Recognition play next song [music] 0"});
    EXPECT_EQ(sayAndDrain("play previous song please"),
              std::vector<std::string>{"Recognition play previous song please [music] 0"});
    EXPECT_EQ(sayAndDrain("play song"), std::vector<std::string>{"FalseRecognition play song"});
    EXPECT_TRUE(grammarHolder->hasRule("music"));
    EXPECT_FALSE(grammarHolder->hasRule("Music"));
}

TEST_F(ScriptedEngineTest, DictationHearsAnythingOnlyWhileOn) {
    ASSERT_TRUE(grammarHolder->dictationLoad("", LoadOption::Static).ok());
    EXPECT_EQ(sayAndDrain("cheap flights"),
              std::vector<std::string>{"FalseRecognition cheap flights"});
    ASSERT_TRUE(grammarHolder->dictationSetState(RuleState::Active).ok());
    EXPECT_EQ(sayAndDrain("cheap flights"),
              std::vector<std::string>{"Recognition cheap flights [] 0"});
    EXPECT_FALSE(grammarHolder->dictationLoad("Legal", LoadOption::Static).ok());
    EXPECT_TRUE(grammarHolder->dictationLoad("Spelling", LoadOption::Static).ok());
}

TEST_F(ScriptedEngineTest, BadGrammarFileKeepsTheRulesLoadedBefore) {
    ASSERT_TRUE(grammarHolder->cmdLoadFromFile((dir / "g.xml").string(), LoadOption::Dynamic).ok());
    ASSERT_TRUE(writeFileAtomically(dir / "bad.xml", "<GRAMMAR><RULE").ok());
    EXPECT_FALSE(
        grammarHolder->cmdLoadFromFile((dir / "bad.xml").string(), LoadOption::Dynamic).ok());
    EXPECT_FALSE(
        grammarHolder->cmdLoadFromFile((dir / "none.xml").string(), LoadOption::Dynamic).ok());
    EXPECT_TRUE(grammarHolder->hasRule("open google"));
}

TEST_F(ScriptedEngineTest, RecordsCallsAndInjectsFailures) {
    platform.clearCalls();
    platform.failOn("CmdSetRuleIdState", Status::failure(5, "boom"), 1);
    EXPECT_FALSE(grammarHolder->cmdSetRuleIdState(0, RuleState::Active).ok());
    EXPECT_TRUE(grammarHolder->cmdSetRuleIdState(0, RuleState::Active).ok());
    EXPECT_EQ(platform.calls,
              (std::vector<std::string>{"CmdSetRuleIdState 0 1", "CmdSetRuleIdState 0 1"}));
    EXPECT_FALSE(contextHolder->createGrammar(1).ok());
}

TEST_F(ScriptedEngineTest, EventsOfAReleasedContextNeverArrive) {
    ASSERT_TRUE(grammarHolder->dictationLoad("", LoadOption::Static).ok());
    ASSERT_TRUE(grammarHolder->dictationSetState(RuleState::Active).ok());
    platform.say("hello");
    grammarHolder.reset();
    contextHolder.reset();
    poster.drain();
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(platform.liveContexts, 0);
    EXPECT_FALSE(platform.say("hello"));
}

} // namespace
} // namespace kelvo::fakes
