#include "speech/voice_profiles.h"

#include "fakes/fake_error_sink.h"
#include "fakes/fake_training_screens.h"
#include "fakes/speech_rig.h"
#include "services/hex_coding.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

class VoiceProfilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.engine.profiles = {{"profile-0", "Default"}, {"profile-1", "Bob - e0"}};
        ASSERT_TRUE(rig.start());
    }
    std::vector<std::string> notices() const {
        std::vector<std::string> out;
        for (const auto& shown : rig.dialogs.shown)
            if (shown.kind == "notice" || shown.kind == "modeless")
                out.push_back(shown.title + "|" + shown.message);
        return out;
    }
    bool listening() const { return rig.engine.liveContexts == 1; }

    fakes::SpeechRig rig;
    fakes::FakeErrorSink errors;
    SettingsFile settings{rig.dir / "mouse.ini", errors};
    GrammarSwitcher grammars{rig.controller, rig.state, rig.boxes, rig.app, rig.feedback};
    fakes::FakeTrainingScreens screens;
    VoiceProfiles profiles{VoiceProfileServices{rig.engine, rig.controller, grammars, rig.state,
                                                rig.boxes, settings, rig.feedback, screens,
                                                rig.dir.path()}};
};

TEST_F(VoiceProfilesTest, CreatingAnnMakesAnnWithTheEngineSuffixAndUsesIt) {
    std::string name = "Ann";
    ASSERT_TRUE(profiles.profileTraining("CreateProfile", name, {true, false}).ok());
    EXPECT_EQ(name, "Ann - e0");
    EXPECT_EQ(profiles.getProfile("currentprofile"), "Ann - e0");
    EXPECT_EQ(profiles.getProfile("current"), "");
    EXPECT_EQ(rig.engine.defaultProfileId, "profile-2");
    EXPECT_EQ(*decodeHex(settings.readIni("Parallax", "visual", "", 150)), "Ann - e0");
    EXPECT_EQ(screens.shown.front(),
              "mic Ann - e0|kelvo configuration: Configure Your Microphone For Profile ");
    EXPECT_EQ(notices().back(), "kelvo is now using your new profile:|'Ann - e0'");
    EXPECT_TRUE(listening());
    EXPECT_TRUE(rig.engine.couldHear("open google"));
    EXPECT_EQ(rig.feedback.calls.back(), "training menu on");
}

TEST_F(VoiceProfilesTest, DuplicatesAreNamedByExactCase) {
    std::string same = "Bob";
    EXPECT_FALSE(profiles.profileTraining("CreateProfile", same, {}).ok());
    EXPECT_EQ(notices().back(), "title|A recognition profile using that name already exists.  "
                                "Please choose a different name.");
    EXPECT_EQ(rig.engine.profiles.size(), 2u);
    EXPECT_TRUE(listening());

    std::string otherCase = "bob";
    EXPECT_TRUE(profiles.profileTraining("CreateProfile", otherCase, {}).ok());
    EXPECT_EQ(profiles.getProfileList(),
              (std::vector<std::string>{"Default", "Bob - e0", "bob - e0"}));
}

TEST_F(VoiceProfilesTest, UnusableNamesCreateNothing) {
    const std::vector<std::string> unusable = {"",    "  ",          "../x",
                                               "a/b", "line\nbreak", std::string(65, 'n')};
    for (std::string bad : unusable) {
        EXPECT_FALSE(profiles.profileTraining("CreateProfile", bad, {}).ok()) << bad;
    }
    EXPECT_TRUE(rig.engine.callsStartingWith("CreateProfile").empty());
    EXPECT_TRUE(rig.engine.callsStartingWith("SetProfile").empty());
    EXPECT_TRUE(listening());
}

TEST_F(VoiceProfilesTest, AVanishedProfileKeepsTheEngineRunning) {
    std::string gone = "Carol - e0";
    rig.engine.clearCalls();
    EXPECT_FALSE(profiles.profileTraining("ChangeProfile", gone, {true, true}).ok());
    EXPECT_EQ(notices().back(), "kelvo couldn't find the profile 'Carol - e0'.|");
    EXPECT_TRUE(rig.engine.callsStartingWith("CreateRecoContext").empty());
    EXPECT_TRUE(listening());
    EXPECT_TRUE(rig.engine.couldHear("open google"));
    EXPECT_TRUE(screens.shown.empty());
}

TEST_F(VoiceProfilesTest, ARefusedProfileListensOnTheOldOneWithoutSayingItSwitched) {
    rig.engine.failOn("SetProfile", Status::failure(-2147200999, "profile refused"));
    std::string name = "Ann";
    EXPECT_FALSE(profiles.profileTraining("CreateProfile", name, {}).ok());
    EXPECT_TRUE(listening());
    EXPECT_TRUE(rig.engine.couldHear("open google"));
    EXPECT_EQ(profiles.getProfile("currentprofile"), "Default");
    for (const auto& notice : notices())
        EXPECT_EQ(notice.find("now using"), std::string::npos) << notice;
    EXPECT_TRUE(screens.shown.empty());
}

TEST_F(VoiceProfilesTest, TrainingWhileAsleepEndsAsleep) {
    rig.state.muted = rig.state.asleep = true;
    ASSERT_TRUE(grammars.LoadDifferentGrammar(kSleepGrammarFile).ok());
    std::string bob = "Bob - e0";
    ASSERT_TRUE(profiles.profileTraining("TrainProfile", bob, {}).ok());
    EXPECT_EQ(screens.shown, (std::vector<std::string>{
                                 "mic Bob - e0|kelvo configuration: Configure Your Microphone "
                                 "For Profile ",
                                 "train Bob - e0|"}));
    EXPECT_TRUE(rig.engine.couldHear("activate computer microphone"));
    EXPECT_FALSE(rig.engine.couldHear("open google"));
    EXPECT_EQ(profiles.getProfile("currentprofile"), "Bob - e0");

    // A switch without training ends asleep too.
    std::string back = "Default";
    ASSERT_TRUE(profiles.profileTraining("ChangeProfile", back, {}).ok());
    EXPECT_TRUE(rig.engine.couldHear("activate computer microphone"));
    EXPECT_FALSE(rig.engine.couldHear("open google"));

    std::string ann = "Ann";
    ASSERT_TRUE(profiles.profileTraining("CreateProfile", ann, {}).ok());
    EXPECT_EQ(notices().back(),
              "When kelvo begins listening again it will use the profile:|'Ann - e0'");
    EXPECT_FALSE(rig.engine.couldHear("open google"));
}

TEST_F(VoiceProfilesTest, WithoutScreensTheUserIsToldOnceAndTheProfileStillSwitches) {
    screens.micOutcome = TrainingOutcome::Unavailable;
    std::string bob = "Bob - e0";
    ASSERT_TRUE(profiles.profileTraining("TrainProfile", bob, {}).ok());
    EXPECT_EQ(screens.shown.size(), 1u);
    EXPECT_EQ(profiles.getProfile("currentprofile"), "Bob - e0");
    EXPECT_TRUE(rig.engine.couldHear("open google"));
}

TEST(EngineSuffix, KnownEnginesAndTheRest) {
    EXPECT_EQ(engineSuffix("Microsoft Speech Recognizer 8.0for Windows (English - US)"), " - e8");
    EXPECT_EQ(engineSuffix("Microsoft English (U.S.) v6.1 Recognizer"), " - e61");
    EXPECT_EQ(engineSuffix("Kelvo Speech Recognizer (PocketSphinx, English - US)"), " - e0");
}

} // namespace
} // namespace kelvo
