#include "speech/training_commands.h"

#include "fakes/fake_window_registry.h"
#include "fakes/speech_rig.h"
#include "speech/grammar_switching.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

struct ScriptedScreens : TrainingScreens {
    TrainingResult showMicrophoneSetup(const TrainingProfile& profile,
                                       const std::string& title) override {
        shown.push_back(title + "|" + profile.name + "|" + profile.folder.string());
        if (during) {
            during();
        }
        return {outcome, {}};
    }
    TrainingResult showVoiceTraining(const TrainingProfile& profile, const std::string& title,
                                     const std::string& passages) override {
        shown.push_back(title + "|" + profile.name + "|" + passages);
        if (during) {
            during();
        }
        return {TrainingOutcome::Failed, "shown already"};
    }
    std::vector<std::string> shown;
    std::function<void()> during;
    TrainingOutcome outcome = TrainingOutcome::Completed;
};

struct Rig : fakes::SpeechRig {
    GrammarSwitcher grammars{controller, state, boxes, app, feedback};
    ScriptedScreens screens;
    fakes::FakeWindowRegistry windows;
    MicrophoneSetupCommand command{controller, grammars, state,   feedback,
                                   app,        boxes,    screens, windows};

    Rig() { engine.profileFolderBase = dir.path() / "speech-profiles"; }
};

TEST(MicrophoneSetupCommand, TheTrainingGrammarListensWhileTheScreenIsOpenAndTheStateIsPutBack) {
    for (bool asleep : {false, true}) {
        Rig rig;
        ASSERT_TRUE(rig.start());
        rig.state.muted = rig.state.asleep = asleep;
        std::string during;
        rig.screens.during = [&] { during = rig.engine.grammarState()->loadedFile; };
        rig.screens.outcome = TrainingOutcome::Failed; // a failing screen restores as well
        rig.command.configureMicrophone();
        EXPECT_EQ(during, (rig.dir.path() / "min.xml").string());
        EXPECT_EQ(rig.engine.grammarState()->loadedFile,
                  (rig.dir.path() / (asleep ? "en_CLICK_mute.XML" : "en_CLICK.XML")).string());
        EXPECT_TRUE(rig.engine.grammarState()->rulesActive);
        ASSERT_EQ(rig.screens.shown.size(), 1u);
        EXPECT_EQ(rig.screens.shown[0],
                  "Configure Your Microphone|Default|" +
                      (rig.dir.path() / "speech-profiles" / "profile-0").string());
        EXPECT_EQ(rig.feedback.calls.back(), "pointer default");
        // The main window comes to the front; the profile becomes the default.
        EXPECT_EQ(rig.windows.calls.back(), "front mouse");
        EXPECT_EQ(rig.engine.callsStartingWith("SetDefaultProfile").size(), 1u);
        EXPECT_NE(
            std::find(rig.feedback.calls.begin(), rig.feedback.calls.end(), "training menu on"),
            rig.feedback.calls.end());
    }
}

// A microphone saved or a training finished is in use at once: the engine
// takes up the profile's files without a restart; a screen left without
// saving changes nothing.
TEST(MicrophoneSetupCommand, ACompletedScreenIsTakenUpByTheEngineAtOnce) {
    for (TrainingOutcome outcome : {TrainingOutcome::Completed, TrainingOutcome::Cancelled}) {
        Rig rig;
        ASSERT_TRUE(rig.start());
        rig.screens.outcome = outcome;
        rig.engine.clearCalls();
        rig.command.configureMicrophone();
        const bool completed = outcome == TrainingOutcome::Completed;
        EXPECT_EQ(rig.engine.callsStartingWith("RefreshProfile").size(), completed ? 1u : 0u);
        EXPECT_TRUE(rig.engine.callsStartingWith("CreateRecoContext").empty()); // no restart
    }
}

TEST(MicrophoneSetupCommand, WithoutAProfileItSaysSoAndStillListensAgain) {
    Rig rig;
    rig.engine.profiles.clear();
    rig.engine.defaultProfileId.clear();
    ASSERT_TRUE(rig.start());
    EXPECT_EQ(rig.command.configureMicrophone().outcome, TrainingOutcome::Unavailable);
    EXPECT_TRUE(rig.screens.shown.empty());
    ASSERT_FALSE(rig.dialogs.shown.empty());
    EXPECT_EQ(rig.dialogs.shown.back().kind, "notice");
    // A notice is plain text: the menu's name with one ampersand.
    EXPECT_EQ(rig.dialogs.shown.back().message,
              "Create one from the Training & Recognition Profiles menu first.");
    EXPECT_EQ(rig.engine.grammarState()->loadedFile, (rig.dir.path() / "en_CLICK.XML").string());
}

// The explainer's link, the menu and the training notice's timer: a notice
// as the mute toggle gives, not error windows whose OK ends the program.
TEST(MicrophoneSetupCommand, WithoutAWorkingInputANoticeSaysKelvoIsNotListening) {
    Rig rig;
    rig.engine.failOn("DefaultAudioInput", Status::failure(5, "no microphone"));
    ASSERT_FALSE(rig.start());
    rig.dialogs.shown.clear();
    EXPECT_EQ(rig.command.configureMicrophone().outcome, TrainingOutcome::Unavailable);
    EXPECT_EQ(rig.command.trainProfileInUse().outcome, TrainingOutcome::Unavailable);
    EXPECT_TRUE(rig.screens.shown.empty());
    ASSERT_EQ(rig.dialogs.shown.size(), 2u);
    for (const auto& shown : rig.dialogs.shown) {
        EXPECT_EQ(shown.kind, "notice");
        EXPECT_EQ(shown.title.rfind("kelvo is not listening, so ", 0), 0u) << shown.title;
        EXPECT_NE(shown.message.find("start kelvo again"), std::string::npos);
        // Seen before the training notice closes the program.
        EXPECT_TRUE(shown.modal);
    }

    // An input lost while listening comes back by itself: no restart needed.
    Rig lost;
    ASSERT_TRUE(lost.start());
    lost.engine.loseInput();
    lost.poster.drain();
    lost.dialogs.shown.clear();
    EXPECT_EQ(lost.command.configureMicrophone().outcome, TrainingOutcome::Unavailable);
    ASSERT_EQ(lost.dialogs.shown.size(), 1u);
    EXPECT_NE(lost.dialogs.shown[0].message.find("listens again as soon as it is back"),
              std::string::npos);
}

TEST(MicrophoneSetupCommand, TheTrainingNoticeTrainsTheProfileInUseUnderTheTrainingGrammar) {
    Rig rig;
    ASSERT_TRUE(rig.start());
    std::string during;
    rig.screens.during = [&] { during = rig.engine.grammarState()->loadedFile; };
    rig.command.trainProfileInUse();
    EXPECT_EQ(rig.screens.shown, (std::vector<std::string>{"Voice Profile Training|Default|"}));
    EXPECT_EQ(during, (rig.dir.path() / "min.xml").string());
    EXPECT_EQ(rig.engine.grammarState()->loadedFile, (rig.dir.path() / "en_CLICK.XML").string());
    EXPECT_TRUE(rig.engine.grammarState()->rulesActive);
}

TEST(MicrophoneSetupCommand, TheEnginesRequestTrainsTheProfileInUseWithOurScreen) {
    Rig rig;
    ASSERT_TRUE(rig.start());
    rig.dialogs.modalAnswers.push_back(BoxButton::Yes);
    EXPECT_TRUE(
        rig.grammars
            .RC_RequestUI(1, 0, "UserTraining", [&] { return rig.command.trainCurrentProfile(); })
            .ok());
    EXPECT_EQ(rig.screens.shown, (std::vector<std::string>{"Voice Profile Training|Default|"}));
    EXPECT_EQ(rig.engine.grammarState()->loadedFile, (rig.dir.path() / "en_CLICK.XML").string());
}

} // namespace
} // namespace kelvo
