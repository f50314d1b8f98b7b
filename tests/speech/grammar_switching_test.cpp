#include "speech/grammar_switching.h"

#include "fakes/speech_rig.h"
#include "speech/command_counter.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

class GrammarSwitchingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.start());
        rig.engine.clearCalls();
        rig.app.calls.clear();
    }
    std::string path(const char* file) const { return (rig.dir / file).string(); }

    fakes::SpeechRig rig;
    GrammarSwitcher switcher{rig.controller, rig.state, rig.boxes, rig.app, rig.feedback};
};

TEST_F(GrammarSwitchingTest, TenCommandsDoNotReloadTheEleventhDoes) {
    for (int i = 1; i <= 10; ++i) {
        countCommand(rig.state);
        ASSERT_TRUE(switcher.resetGrammarDueToCounter().ok());
        EXPECT_EQ(rig.state.commandCounter, i);
    }
    EXPECT_TRUE(rig.engine.calls.empty());

    countCommand(rig.state);
    ASSERT_TRUE(switcher.resetGrammarDueToCounter().ok());
    EXPECT_EQ(rig.state.commandCounter, 0);
    EXPECT_EQ(rig.engine.calls,
              (std::vector<std::string>{"CmdLoadFromFile " + path("en_CLICK_mute.XML") + " 1",
                                        "CmdSetRuleIdState 0 0", "CmdSetRuleIdState 0 1",
                                        "CmdLoadFromFile " + path("en_CLICK.XML") + " 1",
                                        "CmdSetRuleIdState 0 0", "CmdSetRuleIdState 0 1"}));
    EXPECT_EQ(rig.app.calls, (std::vector<std::string>{"pump", "pump"}));
    EXPECT_TRUE(rig.engine.couldHear("open google"));
}

TEST_F(GrammarSwitchingTest, CounterReloadWhileAsleepKeepsTheSleepGrammar) {
    rig.state.muted = rig.state.asleep = true;
    rig.state.commandCounter = 11;
    ASSERT_TRUE(switcher.resetGrammarDueToCounter().ok());
    EXPECT_EQ(rig.state.commandCounter, 0);
    EXPECT_TRUE(rig.engine.callsStartingWith("CmdLoadFromFile " + path("en_CLICK.XML")).empty());
    EXPECT_TRUE(rig.engine.couldHear("activate computer microphone"));
    EXPECT_FALSE(rig.engine.couldHear("open google"));
    EXPECT_TRUE(rig.state.muted && rig.state.asleep);
}

TEST_F(GrammarSwitchingTest, CounterIsZeroedBeforeLoadingSoANestedResetDoesNothing) {
    rig.state.commandCounter = 12;
    int nested = 0;
    rig.app.duringPump = [&] {
        EXPECT_EQ(rig.state.commandCounter, 0);
        ++nested;
        ASSERT_TRUE(switcher.resetGrammarDueToCounter().ok());
    };
    ASSERT_TRUE(switcher.resetGrammarDueToCounter().ok());
    EXPECT_EQ(nested, 2);
    EXPECT_EQ(rig.engine.callsStartingWith("CmdLoadFromFile").size(), 2u);
}

TEST_F(GrammarSwitchingTest, CounterReloadFailureGoesToTheCaller) {
    rig.state.commandCounter = 11;
    rig.engine.failOn("CmdLoadFromFile", Status::failure(-2147200966, "bad grammar"));
    const Status status = switcher.resetGrammarDueToCounter();
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.number(), -2147200966);
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST_F(GrammarSwitchingTest, ReloadGrammarLoadsTheNormalGrammarBetweenRulesOffAndOn) {
    ASSERT_TRUE(switcher.reloadGrammar().ok());
    EXPECT_EQ(rig.engine.calls,
              (std::vector<std::string>{"CmdSetRuleIdState 0 0",
                                        "CmdLoadFromFile " + path("en_CLICK.XML") + " 1",
                                        "CmdSetRuleIdState 0 1"}));
}

TEST_F(GrammarSwitchingTest, LoadDifferentGrammarEndsDictationAndActivatesTheRules) {
    ASSERT_TRUE(
        rig.controller.objects().grammar->dictationSetState(speech::RuleState::Active).ok());
    rig.engine.clearCalls();
    ASSERT_TRUE(switcher.LoadDifferentGrammar(kTrainingGrammarFile).ok());
    EXPECT_EQ(rig.engine.calls,
              (std::vector<std::string>{
                  "DictationLoad '' 0", "DictationSetState 0", "CmdSetRuleIdState 0 0",
                  "CmdLoadFromFile " + path("min.xml") + " 1", "CmdSetRuleIdState 0 0",
                  "CmdSetRuleIdState 0 1", "CmdSetRuleIdState 0 0", "CmdSetRuleIdState 0 1"}));
    EXPECT_EQ(rig.app.calls, (std::vector<std::string>{"pump", "pump"}));
    EXPECT_TRUE(rig.engine.couldHear("next"));
    EXPECT_FALSE(rig.engine.couldHear("some words"));
}

TEST_F(GrammarSwitchingTest, LoadDifferentGrammarReportsItsFailure) {
    const Status status = switcher.LoadDifferentGrammar("none.xml");
    EXPECT_FALSE(status.ok());
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].title, "kelvo Error");
    EXPECT_NE(rig.dialogs.shown[0].message.find("\nFmouPldg"), std::string::npos);
}

TEST_F(GrammarSwitchingTest, WithoutAnEngineNothingCrashes) {
    ASSERT_TRUE(rig.controller.controlEngine("shutdown", "").ok());
    rig.state.commandCounter = 11;
    EXPECT_FALSE(switcher.resetGrammarDueToCounter().ok());
    EXPECT_FALSE(switcher.reloadGrammar().ok());
    EXPECT_FALSE(switcher.LoadDifferentGrammar(kGrammarFile).ok());
    // Nothing to switch is no fault to end the program for.
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST_F(GrammarSwitchingTest, OnlyUserTrainingRequestsAreAskedAbout) {
    for (const char* type : {"MicTraining", "usertraining", "", "Other"})
        ASSERT_TRUE(switcher.RC_RequestUI(1, 0, type).ok());
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_TRUE(rig.engine.calls.empty());
}

TEST_F(GrammarSwitchingTest, UserTrainingAnsweredNoChangesNothing) {
    rig.dialogs.modalAnswers = {BoxButton::No};
    ASSERT_TRUE(switcher.RC_RequestUI(1, 0, "UserTraining").ok());
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].kind, "modal");
    EXPECT_EQ(rig.dialogs.shown[0].title, "Voice Recognition Quality Alert");
    EXPECT_EQ(rig.dialogs.shown[0].style, BoxStyle::YesNo);
    EXPECT_TRUE(rig.engine.calls.empty());
    EXPECT_TRUE(rig.feedback.calls.empty());
}

TEST_F(GrammarSwitchingTest, UserTrainingAnsweredYesTrainsThenRestoresTheGrammarOfTheState) {
    for (bool muted : {false, true}) {
        SCOPED_TRACE(muted);
        rig.state.muted = rig.state.asleep = muted;
        rig.engine.clearCalls();
        rig.feedback.calls.clear();
        rig.dialogs.modalAnswers = {BoxButton::Yes};
        ASSERT_TRUE(switcher.RC_RequestUI(1, 0, "UserTraining").ok());
        const auto loads = rig.engine.callsStartingWith("CmdLoadFromFile");
        ASSERT_EQ(loads.size(), 2u);
        EXPECT_EQ(loads[0], "CmdLoadFromFile " + path("min.xml") + " 1");
        EXPECT_EQ(loads[1],
                  "CmdLoadFromFile " + path(muted ? "en_CLICK_mute.XML" : "en_CLICK.XML") + " 1");
        EXPECT_EQ(rig.engine.callsStartingWith("DisplayUI"),
                  std::vector<std::string>{"DisplayUI Voice Profile Training|UserTraining|"});
        EXPECT_EQ(rig.feedback.calls,
                  (std::vector<std::string>{"pointer busy", "training menu off", "pointer default",
                                            "training menu on"}));
        EXPECT_EQ(rig.engine.couldHear("activate computer microphone"), muted);
    }
}

TEST_F(GrammarSwitchingTest, FailedTrainingScreenStillRestoresTheGrammar) {
    rig.dialogs.modalAnswers = {BoxButton::Yes};
    rig.engine.failOn("DisplayUI", Status::failure(7, "no screen"));
    EXPECT_FALSE(switcher.RC_RequestUI(1, 0, "UserTraining").ok());
    EXPECT_TRUE(rig.engine.couldHear("open google"));
    EXPECT_EQ(rig.feedback.calls.back(), "training menu on");
    EXPECT_EQ(rig.dialogs.shown.back().kind, "runtime");
}

} // namespace
} // namespace kelvo
