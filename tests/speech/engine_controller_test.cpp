#include "speech/engine_controller.h"

#include "fakes/fake_tone_output.h"
#include "fakes/speech_rig.h"
#include "speech/sleep_wake.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kelvo {
namespace {

using fakes::SpeechRig;
using speech::SpeechToken;

constexpr const char* k51 = "Microsoft English Recognizer v5.1";
constexpr const char* k60 = "Microsoft English (U.S.) v6.0 Recognizer";
constexpr const char* k61 = "Microsoft English (U.S.) v6.1 Recognizer";
constexpr const char* k80a = "Microsoft Speech Recognizer 8.0for Windows (English - US)";
constexpr const char* k80b = "Microsoft Speech Recognizer 8.0 for Windows (English - US)";

TEST(EngineRank, Table) {
    const struct {
        const char* description;
        float rank;
    } cases[] = {{k51, 5.1F},
                 {k60, 6.0F},
                 {k61, 6.1F},
                 {k80a, 8.0F},
                 {k80b, 8.0F},
                 {"microsoft english recognizer v5.1", 0.0F},
                 {"Kelvo Speech Engine", 0.0F},
                 {"", 0.0F}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        EXPECT_FLOAT_EQ(engineRank(c.description), c.rank);
    }
}

TEST(EngineController, ChoosesTheBestRankedEngineEarliestOnATie) {
    const struct {
        std::vector<std::string> descriptions;
        std::string chosenId;
    } cases[] = {
        {{k61, k80a, k80b}, "e1"}, {{"Other A", "Other B"}, "e0"},
        {{k80b, "Other"}, "e0"},   {{"Other", k51, k60}, "e2"},
        {{"Other"}, "e0"},
    };
    for (const auto& c : cases) {
        SpeechRig rig;
        rig.engine.engines.clear();
        for (std::size_t i = 0; i < c.descriptions.size(); ++i)
            rig.engine.engines.push_back({"e" + std::to_string(i), c.descriptions[i]});
        ASSERT_TRUE(rig.controller.controlEngine("crankUpEngine", "").ok());
        EXPECT_EQ(rig.controller.objects().recognizer->recognizerToken().id, c.chosenId);
        EXPECT_TRUE(rig.dialogs.shown.empty());
    }
}

TEST(EngineController, NoEngineAtAllIsReportedAtCue4) {
    SpeechRig rig;
    rig.engine.engines.clear();
    EXPECT_FALSE(rig.controller.controlEngine("crankUpEngine", "").ok());
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].kind, "runtime");
    EXPECT_EQ(rig.dialogs.shown[0].title, "kelvo Error");
    EXPECT_EQ(rig.dialogs.shown[0].message, "5: No speech engine for Language=409\nFmouPCE\ncue4");
}

TEST(EngineController, ProfileIsChosenByExactDescription) {
    SpeechRig rig;
    rig.engine.profiles = {{"p0", "Default"}, {"p1", "Ann - e0"}, {"p2", "Ann - e0"}};
    ASSERT_TRUE(rig.controller.controlEngine("crankUpEngine", "Ann - e0").ok());
    EXPECT_EQ(rig.controller.objects().recognizer->profile()->id, "p1");
    EXPECT_EQ(rig.engine.callsStartingWith("SetProfile").size(), 1u);
    EXPECT_EQ(rig.state.profileDialogMode, "");
}

TEST(EngineController, MissingProfileKeepsTheDefaultAndTellsTheWizards) {
    for (const char* name : {"Bob", "ann - e0"}) {
        SpeechRig rig;
        rig.engine.profiles = {{"p0", "Default"}, {"p1", "Ann - e0"}};
        rig.engine.defaultProfileId = "p0";
        ASSERT_TRUE(rig.controller.controlEngine("crankUpEngine", name).ok());
        EXPECT_EQ(rig.state.profileDialogMode, std::string("MissingDefault - ") + name);
        const auto profile = rig.controller.objects().recognizer->profile();
        ASSERT_TRUE(profile.ok());
        EXPECT_EQ(profile->id, "p0");
        EXPECT_TRUE(rig.engine.callsStartingWith("SetProfile").empty());
    }
}

TEST(EngineController, EmptyProfileNameDoesNotLookAtProfiles) {
    SpeechRig rig;
    ASSERT_TRUE(rig.controller.controlEngine("crankUpEngine", "").ok());
    EXPECT_TRUE(rig.engine.callsStartingWith("GetProfiles").empty());
}

TEST(EngineController, StartListeningRunsTheStepsInOrder) {
    SpeechRig rig;
    ASSERT_TRUE(rig.start());
    const std::string grammar = (rig.dir / "en_CLICK.XML").string();
    EXPECT_EQ(rig.engine.calls,
              (std::vector<std::string>{"CreateRecognizer",
                                        "GetRecognizers Language=409|",
                                        "SetRecognizer Kelvo Speech Engine",
                                        "DefaultAudioInput",
                                        "SetAudioInput default",
                                        "CreateRecoContext",
                                        "SetEventInterests 16",
                                        "SetEventInterests 2064",
                                        "CreateGrammar 1",
                                        "DictationLoad '' 0",
                                        "DictationSetState 0",
                                        "CmdLoadFromFile " + grammar + " 1",
                                        "CmdSetRuleIdState 0 0",
                                        "CmdSetRuleIdState 0 1",
                                        "CmdSetRuleIdState 0 0",
                                        "CmdSetRuleIdState 0 1",
                                        "SetPropertyNumber AdaptationOn 0",
                                        "SetPropertyNumber ResourceUsage 85",
                                        "SetPropertyNumber PersistedBackgroundAdaptation 0",
                                        "SetPropertyNumber LowConfidenceThreshold 45",
                                        "SetPropertyNumber NormalConfidenceThreshold 75",
                                        "SetPropertyNumber HighConfidenceThreshold 105"}));
    EXPECT_EQ(rig.app.calls, (std::vector<std::string>{"pump", "pump", "pump", "pump", "pump"}));
    EXPECT_EQ(rig.controller.stepMarker(), "sl12");
}

TEST(EngineController, StartListeningLeavesRulesActiveAndDictationOffAndHears) {
    SpeechRig rig;
    ASSERT_TRUE(rig.start());
    const auto* state = rig.engine.grammarState();
    ASSERT_NE(state, nullptr);
    EXPECT_TRUE(state->rulesActive);
    EXPECT_FALSE(state->dictationActive);
    EXPECT_EQ(rig.say("open google"),
              std::vector<std::string>{"Recognition open google [open google] 0"});
    // False recognitions are not among the interests the controller sets.
    EXPECT_TRUE(rig.say("what a day").empty());
}

TEST(EngineController, EventInterestsKeepTheBitsTheContextHad) {
    SpeechRig rig;
    rig.engine.initialInterests = speech::event_interest::kFalseRecognition | 1U;
    ASSERT_TRUE(rig.start());
    EXPECT_EQ(rig.controller.objects().rc->eventInterests(),
              speech::event_interest::kFalseRecognition | 1U |
                  speech::event_interest::kRecognition | speech::event_interest::kRequestUI);
    EXPECT_EQ(rig.say("what a day"), std::vector<std::string>{"FalseRecognition what a day"});
}

TEST(EngineController, ContextRefusedFallsBackToABareOne) {
    SpeechRig rig;
    rig.engine.failOn("CreateRecoContext", Status::failure(-2147467259, "refused"));
    ASSERT_TRUE(rig.start());
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].kind, "modeless");
    EXPECT_EQ(rig.dialogs.shown[0].title, "Error");
    EXPECT_EQ(rig.dialogs.shown[0].message, "Err - voice object is nothing");
    EXPECT_EQ(rig.engine.callsStartingWith("CreateBareRecoContext").size(), 1u);
    EXPECT_EQ(rig.say("open google"),
              std::vector<std::string>{"Recognition open google [open google] 0"});
}

TEST(EngineController, AudioSetupErrorWhenTheInputIsMissingOrBroken) {
    for (const char* failing : {"DefaultAudioInput", "SetAudioInput"}) {
        SCOPED_TRACE(failing);
        SpeechRig rig;
        rig.engine.failOn(failing, Status::failure(2, "no such file"));
        ASSERT_TRUE(rig.controller.controlEngine("crankUpEngine", "").ok());
        EXPECT_FALSE(rig.controller.controlEngine("getaudioinput", "").ok());
        ASSERT_EQ(rig.dialogs.shown.size(), 1u);
        EXPECT_EQ(rig.dialogs.shown[0].kind, "error");
        EXPECT_EQ(rig.dialogs.shown[0].title, "Error");
        EXPECT_TRUE(rig.dialogs.shown[0].modal);
        EXPECT_EQ(rig.dialogs.shown[0].message.rfind("Audio Setup Error - either a mic", 0), 0u);
        // Nothing claims that kelvo listens, neither before nor while the
        // box shows.
        EXPECT_EQ(rig.feedback.calls,
                  (std::vector<std::string>{"pointer default", "indicator 3",
                                            "tray asleep|Kelvo Is NOT Listening"}));
        EXPECT_FALSE(rig.state.hearing);
    }
}

TEST(EngineController, SaysItListensOnlyFromTheStartUntilItIsReleased) {
    SpeechRig rig;
    ASSERT_TRUE(rig.controller.controlEngine("crankUpEngine", "").ok());
    ASSERT_TRUE(rig.controller.controlEngine("getaudioinput", "").ok());
    EXPECT_TRUE(rig.feedback.calls.empty());
    ASSERT_TRUE(rig.controller.controlEngine("startListening", "").ok());
    EXPECT_TRUE(rig.state.hearing);
    EXPECT_EQ(
        rig.feedback.calls,
        (std::vector<std::string>{"indicator 1", "tray listening|Kelvo Is Listening", "welcome"}));
    rig.feedback.calls.clear();
    ASSERT_TRUE(rig.controller.controlEngine("shutdown", "").ok());
    EXPECT_FALSE(rig.state.hearing);
    EXPECT_EQ(rig.feedback.calls,
              (std::vector<std::string>{"indicator 3", "tray asleep|Kelvo Is NOT Listening"}));
}

// The sound server restarts or the microphone goes away while kelvo listens.
TEST(EngineController, ALostInputIsShownOnceAndTakenUpAgainWhenItComesBack) {
    SpeechRig rig;
    ASSERT_TRUE(rig.start());
    int lost = 0;
    rig.controller.setInputLostHandler([&lost] { ++lost; });
    rig.engine.loseInput();
    rig.poster.drain();
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(rig.state.hearing);
    EXPECT_EQ(rig.feedback.indicator, kIndicatorAsleep);
    EXPECT_EQ(rig.feedback.trayIcon, TrayIconKind::Asleep);
    EXPECT_EQ(rig.feedback.trayTip, "Kelvo Is NOT Listening");
    // A custom-command save loads the grammar again through sleep or wake;
    // that says nothing of listening either.
    fakes::FakeToneOutput tone;
    SleepWake sleepWake(rig.controller, rig.state, rig.app, rig.feedback, tone);
    ASSERT_TRUE(sleepWake.muteUnmute(kModeWake).ok());
    EXPECT_EQ(rig.feedback.indicator, kIndicatorAsleep);
    EXPECT_EQ(rig.feedback.trayIcon, TrayIconKind::Asleep);

    rig.engine.failOn("RefreshProfile", Status::failure(5, "no microphone"), 2);
    EXPECT_FALSE(rig.controller.retakeInput());
    EXPECT_FALSE(rig.controller.retakeInput());
    EXPECT_FALSE(rig.state.hearing);
    const auto balloons =
        std::count_if(rig.feedback.calls.begin(), rig.feedback.calls.end(),
                      [](const std::string& call) { return call.rfind("balloon ", 0) == 0; });
    EXPECT_EQ(balloons, 1);

    // Back: heard again without a restart.
    EXPECT_TRUE(rig.controller.retakeInput());
    EXPECT_TRUE(rig.state.hearing);
    EXPECT_EQ(rig.feedback.indicator, kIndicatorListening);
    EXPECT_EQ(rig.feedback.trayIcon, TrayIconKind::Listening);
    EXPECT_EQ(rig.say("open google"),
              std::vector<std::string>{"Recognition open google [open google] 0"});
    EXPECT_EQ(rig.engine.callsStartingWith("CreateRecoContext").size(), 1u);
    EXPECT_TRUE(rig.dialogs.shown.empty());

    // An input that fails again before anything is heard is not said again
    // at every retry; once speech was heard, a new loss is.
    const auto lossBalloons = [&rig] {
        return std::count(rig.feedback.calls.begin(), rig.feedback.calls.end(),
                          "balloon Kelvo Is NOT Listening|The microphone stopped working. kelvo "
                          "listens again as soon as it is back.");
    };
    const auto loseAndRetake = [&rig] {
        rig.engine.loseInput();
        rig.poster.drain();
        EXPECT_TRUE(rig.controller.retakeInput());
    };
    loseAndRetake();
    ASSERT_EQ(lossBalloons(), 2);
    loseAndRetake();
    loseAndRetake();
    EXPECT_EQ(lossBalloons(), 2);
    rig.say("open google");
    loseAndRetake();
    EXPECT_EQ(lossBalloons(), 3);
}

TEST(EngineController, AnyOtherFailureIsARuntimeErrorWithTheStepMarker) {
    const struct {
        const char* operation;
        const char* action;
        const char* marker;
    } cases[] = {
        {"CreateRecognizer", "crankUpEngine", "cue1"},
        {"GetRecognizers", "crankUpEngine", "cue2"},
        {"SetRecognizer", "crankUpEngine", "cue5"},
        {"CreateGrammar", "startListening", "sl5"},
        {"DictationLoad", "startListening", "sl7"},
        {"CmdLoadFromFile", "startListening", "sl8"},
        {"CmdSetRuleIdState", "startListening", "sl10"},
        {"SetPropertyNumber", "startListening", "sl11"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operation);
        SpeechRig rig;
        rig.engine.failOn(c.operation, Status::failure(-2147200966, "engine said no"));
        const bool started = rig.start();
        EXPECT_FALSE(started);
        ASSERT_EQ(rig.dialogs.shown.size(), 1u);
        EXPECT_EQ(rig.dialogs.shown[0].kind, "runtime");
        EXPECT_EQ(rig.dialogs.shown[0].message,
                  std::string("-2147200966: engine said no\nFmouPCE\n") + c.marker);
        EXPECT_EQ(rig.controller.stepMarker(), c.marker);
    }
}

TEST(EngineController, MissingGrammarFileFailsTheStart) {
    SpeechRig rig;
    std::filesystem::remove(rig.dir / "en_CLICK.XML");
    EXPECT_FALSE(rig.start());
    EXPECT_EQ(rig.controller.stepMarker(), "sl8");
}

TEST(EngineController, ActionsOutOfOrderAreReportedNotCrashed) {
    SpeechRig rig;
    EXPECT_FALSE(rig.controller.controlEngine("getaudioinput", "").ok());
    EXPECT_FALSE(rig.controller.controlEngine("startListening", "").ok());
    EXPECT_EQ(rig.dialogs.shown.size(), 2u);
}

TEST(EngineController, ShutdownInsideAPumpIsReportedNotCrashed) {
    SpeechRig rig;
    ASSERT_TRUE(rig.controller.controlEngine("crankUpEngine", "").ok());
    rig.app.duringPump = [&] {
        rig.app.duringPump = nullptr;
        (void)rig.controller.controlEngine("shutdown", "");
    };
    EXPECT_FALSE(rig.controller.controlEngine("startListening", "").ok());
    EXPECT_EQ(rig.engine.liveContexts, 0);
}

TEST(EngineController, UnknownActionChangesNothing) {
    SpeechRig rig;
    ASSERT_TRUE(rig.start());
    rig.engine.clearCalls();
    for (const char* action : {"Shutdown", "startlistening", "", "restart"})
        EXPECT_FALSE(rig.controller.controlEngine(action, "").ok());
    EXPECT_TRUE(rig.engine.calls.empty());
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_NE(rig.controller.objects().grammar, nullptr);
}

TEST(EngineController, ShutdownReleasesEverythingAndARestartWorks) {
    SpeechRig rig;
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.controller.controlEngine("shutdown", "").ok());
    EXPECT_EQ(rig.engine.liveContexts, 0);
    EXPECT_EQ(rig.engine.liveRecognizers, 0);
    EXPECT_EQ(rig.controller.stepMarker(), "s1");
    ASSERT_TRUE(rig.start());
    EXPECT_EQ(rig.engine.liveContexts, 1);
    EXPECT_EQ(rig.engine.liveRecognizers, 1);
}

TEST(EngineController, CrankingUpAgainReleasesTheOldContextFirst) {
    SpeechRig rig;
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.start());
    EXPECT_EQ(rig.engine.liveContexts, 1);
    EXPECT_EQ(rig.engine.liveRecognizers, 1);
}

} // namespace
} // namespace kelvo
