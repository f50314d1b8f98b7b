#include "speech/sleep_wake.h"

#include "fakes/fake_tone_output.h"
#include "fakes/speech_rig.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

class SleepWakeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.start());
        rig.engine.clearCalls();
    }
    bool hearsSleepGrammar() const {
        return rig.engine.couldHear("activate computer microphone") &&
               !rig.engine.couldHear("open google");
    }
    bool hearsNormalGrammar() const {
        return rig.engine.couldHear("open google") &&
               !rig.engine.couldHear("activate computer microphone");
    }

    fakes::SpeechRig rig;
    fakes::FakeToneOutput tone;
    SleepWake sleepWake{rig.controller, rig.state, rig.app, rig.feedback, tone};
};

TEST_F(SleepWakeTest, FlagsAgreeWithEachOtherAndTheGrammarAfterEveryMode) {
    const std::int16_t modes[] = {0, 0, -1, -1, 1, 1, 0, -1, 0, 1, -1, 0};
    bool expectAsleep = false;
    for (std::int16_t mode : modes) {
        SCOPED_TRACE(mode);
        expectAsleep = mode == -1 || (mode == 0 && !expectAsleep);
        ASSERT_TRUE(sleepWake.muteUnmute(mode).ok());
        EXPECT_EQ(rig.state.asleep, expectAsleep);
        EXPECT_EQ(rig.state.muted, rig.state.asleep);
        EXPECT_EQ(expectAsleep ? hearsSleepGrammar() : hearsNormalGrammar(), true);
        EXPECT_FALSE(rig.engine.grammarState()->dictationActive);
    }
}

TEST_F(SleepWakeTest, ToggleTwiceReturnsToTheFirstState) {
    ASSERT_TRUE(sleepWake.muteUnmute(kModeToggle).ok());
    EXPECT_TRUE(rig.state.asleep && rig.state.muted);
    ASSERT_TRUE(sleepWake.muteUnmute(kModeToggle).ok());
    EXPECT_FALSE(rig.state.asleep || rig.state.muted);
    EXPECT_TRUE(hearsNormalGrammar());
}

TEST_F(SleepWakeTest, SleepShowsTheSleepStateAndWakeTheWakeState) {
    ASSERT_TRUE(sleepWake.muteUnmute(kModeSleep).ok());
    EXPECT_EQ(rig.feedback.calls,
              (std::vector<std::string>{
                  "indicator 3", "balloon Kelvo Is Asleep & No Longer Listening|Kelvo is Asleep",
                  "tray asleep|Kelvo Is NOT Listening"}));
    rig.feedback.calls.clear();
    ASSERT_TRUE(sleepWake.muteUnmute(kModeWake).ok());
    EXPECT_EQ(rig.feedback.calls,
              (std::vector<std::string>{"indicator 1",
                                        "balloon Kelvo Is Awake & Listening|Kelvo is Awake",
                                        "tray listening|Kelvo Is Listening"}));
}

TEST_F(SleepWakeTest, SleepWhileAsleepLoadsTheSleepGrammarAgain) {
    ASSERT_TRUE(sleepWake.muteUnmute(kModeSleep).ok());
    rig.engine.clearCalls();
    rig.feedback.calls.clear();
    ASSERT_TRUE(sleepWake.muteUnmute(kModeSleep).ok());
    EXPECT_EQ(rig.engine.callsStartingWith("CmdLoadFromFile"),
              std::vector<std::string>{"CmdLoadFromFile " +
                                       (rig.dir / "en_CLICK_mute.XML").string() + " 1"});
    EXPECT_EQ(rig.feedback.calls[1],
              "balloon Kelvo Is Asleep & No Longer Listening|Kelvo is Asleep");
}

TEST_F(SleepWakeTest, StepsEndPendingDictationFirst) {
    ASSERT_TRUE(
        rig.controller.objects().grammar->dictationSetState(speech::RuleState::Active).ok());
    rig.engine.clearCalls();
    ASSERT_TRUE(sleepWake.muteUnmute(kModeSleep).ok());
    EXPECT_EQ(rig.engine.calls,
              (std::vector<std::string>{
                  "CmdSetRuleIdState 0 0", "DictationSetState 0", "DictationLoad '' 0",
                  "CmdLoadFromFile " + (rig.dir / "en_CLICK_mute.XML").string() + " 1",
                  "CmdSetRuleIdState 0 0", "CmdSetRuleIdState 0 1"}));
}

TEST_F(SleepWakeTest, FlagsChangeTogetherRightAfterTheGrammarLoad) {
    std::vector<std::pair<bool, bool>> seen;
    rig.app.duringPump = [&] { seen.emplace_back(rig.state.muted, rig.state.asleep); };
    ASSERT_TRUE(sleepWake.muteUnmute(kModeSleep).ok());
    EXPECT_EQ(seen,
              (std::vector<std::pair<bool, bool>>{{false, false}, {false, false}, {true, true}}));
}

TEST_F(SleepWakeTest, FailedLoadLeavesTheFlags) {
    rig.engine.failOn("CmdLoadFromFile", Status::failure(-2147200966, "bad"));
    EXPECT_FALSE(sleepWake.muteUnmute(kModeSleep).ok());
    EXPECT_FALSE(rig.state.muted || rig.state.asleep);
    EXPECT_TRUE(rig.feedback.calls.empty());
}

TEST_F(SleepWakeTest, UnknownModeDoesNothing) {
    for (std::int16_t mode : {2, -2, 100}) {
        EXPECT_FALSE(sleepWake.muteUnmute(mode).ok());
    }
    EXPECT_TRUE(rig.engine.calls.empty());
    EXPECT_FALSE(rig.state.muted || rig.state.asleep);
}

TEST_F(SleepWakeTest, WithoutAnEngineItFailsWithoutChangingState) {
    ASSERT_TRUE(rig.controller.controlEngine("shutdown", "").ok());
    EXPECT_FALSE(sleepWake.muteUnmute(kModeSleep).ok());
    EXPECT_FALSE(rig.state.asleep);
}

TEST_F(SleepWakeTest, BeepIsHandedToTheToneOutput) {
    sleepWake.MakeBeep(500, 200);
    EXPECT_EQ(tone.tones, std::vector<std::string>{"500/200"});
}

} // namespace
} // namespace kelvo
