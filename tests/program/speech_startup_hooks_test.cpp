#include "program/speech_startup_hooks.h"

#include "fakes/fake_clock.h"
#include "fakes/fake_instance_lock.h"
#include "fakes/fake_key_store.h"
#include "fakes/fake_random_source.h"
#include "fakes/fake_special_folders.h"
#include "fakes/fake_startup_hooks.h"
#include "fakes/fake_tone_output.h"
#include "fakes/speech_rig.h"
#include "startup/startup_sequence.h"
#include "test_paths.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

/// Records the steps that reach the next hooks.
class RecordingHooks : public NoStartupHooks {
public:
    Status loadMainWindow() override {
        calls.push_back("loadMainWindow");
        return {};
    }
    void controlEngine(std::string_view action, const std::string&) override {
        calls.push_back("controlEngine " + std::string(action));
    }
    std::vector<std::string> calls;
};

class SpeechStartupHooksTest : public ::testing::Test {
protected:
    fakes::SpeechRig rig;
    fakes::FakeToneOutput tone;
    fakes::RecordingSpeechSink dispatcher;
    SpeechSystem system{
        {rig.engine, rig.state, rig.dir.path(), rig.boxes, rig.app, rig.feedback, tone},
        dispatcher};
    RecordingHooks next;
};

TEST_F(SpeechStartupHooksTest, EngineStepsStartTheEngineOtherStepsGoOn) {
    SpeechStartupHooks hooks([this] { return &system; }, next);
    ASSERT_TRUE(hooks.loadMainWindow().ok());
    for (const char* action : {"crankUpEngine", "getaudioinput", "startListening"})
        hooks.controlEngine(action, "");
    EXPECT_TRUE(hooks.engineRunning());
    EXPECT_EQ(next.calls, std::vector<std::string>{"loadMainWindow"});
    EXPECT_TRUE(rig.engine.couldHear("open google"));

    ASSERT_TRUE(hooks.loadTrainingGrammar("min.xml").ok());
    EXPECT_TRUE(rig.engine.couldHear("next"));
}

TEST_F(SpeechStartupHooksTest, AFailedStepStopsTheLaterOnes) {
    rig.engine.failOn("DefaultAudioInput", Status::failure(2, "no input"));
    SpeechStartupHooks hooks([this] { return &system; }, next);
    for (const char* action : {"crankUpEngine", "getaudioinput", "startListening"})
        hooks.controlEngine(action, "");
    EXPECT_FALSE(hooks.engineRunning());
    EXPECT_TRUE(rig.engine.callsStartingWith("CreateRecoContext").empty());
    // Only the audio-setup error is shown, not a second report, and the
    // first run's training grammar neither loads nor stops the start.
    rig.engine.clearCalls();
    EXPECT_TRUE(hooks.loadTrainingGrammar("min.xml").ok());
    EXPECT_TRUE(rig.engine.calls.empty());
    EXPECT_EQ(rig.dialogs.shown.size(), 1u);
}

TEST_F(SpeechStartupHooksTest, AFailedTrainingGrammarIsReportedOnceAndTheStartGoesOn) {
    SpeechStartupHooks hooks([this] { return &system; }, next);
    for (const char* action : {"crankUpEngine", "getaudioinput", "startListening"})
        hooks.controlEngine(action, "");
    ASSERT_TRUE(hooks.engineRunning());
    ASSERT_TRUE(rig.dialogs.shown.empty());
    rig.engine.failOn("CmdLoadFromFile", Status::failure(5, "bad grammar"));
    EXPECT_TRUE(hooks.loadTrainingGrammar("min.xml").ok());
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_NE(rig.dialogs.shown[0].message.find("FmouPldg"), std::string::npos);
}

TEST_F(SpeechStartupHooksTest, WithoutASpeechSystemTheStepsDoNothing) {
    SpeechStartupHooks hooks([] { return nullptr; }, next);
    hooks.controlEngine("crankUpEngine", "");
    EXPECT_FALSE(hooks.engineRunning());
    EXPECT_TRUE(hooks.loadTrainingGrammar("min.xml").ok());
    EXPECT_TRUE(rig.engine.calls.empty());
}

// A first start without a microphone: the engine shows its audio-setup
// error, and the start still reaches the create-profile wizard instead of
// ending in the runtime-error window.
TEST_F(SpeechStartupHooksTest, FirstStartWithoutAudioInputStillReachesTheWizard) {
    for (bool audioFails : {true, false}) {
        fakes::SpeechRig caseRig;
        fakes::FakeToneOutput caseTone;
        fakes::RecordingSpeechSink sink;
        SpeechSystem caseSystem{{caseRig.engine, caseRig.state, caseRig.dir.path(), caseRig.boxes,
                                 caseRig.app, caseRig.feedback, caseTone},
                                sink};
        if (audioFails)
            caseRig.engine.failOn("DefaultAudioInput", Status::failure(2, "no input"));
        fakes::FakeStartupHooks rest;
        SpeechStartupHooks hooks([&] { return &caseSystem; }, rest);

        fakes::TempDir root;
        AppState app;
        fakes::FakeInstanceLock lock;
        fakes::FakeSpecialFolders folders{root.path()};
        folders.program = KELVO_RESOURCES_DIR;
        fakes::FakeKeyStore keys;
        keys.set(RootKey::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                 "CommonFilesDir", "/usr/share");
        keys.set(RootKey::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                 "ProgramFilesDir", "/opt");
        fakes::FakeClock clock;
        fakes::FakeRandomSource random;
        StartupSequence sequence{app, {lock, folders, keys, clock, random}, caseRig.boxes, hooks};

        ASSERT_EQ(sequence.run(), StartupOutcome::Running) << audioFails;
        EXPECT_EQ(hooks.engineRunning(), !audioFails);
        EXPECT_TRUE(rest.called("createProfile"));
        EXPECT_EQ(sequence.stepMarker(), "m71");
        // The audio-setup error alone, never the runtime-error window.
        EXPECT_EQ(caseRig.dialogs.shown.size(), audioFails ? 1u : 0u);
        for (const auto& shown : caseRig.dialogs.shown)
            EXPECT_NE(shown.kind, "runtime") << shown.message;
        // A running engine listens for the training grammar's words.
        EXPECT_EQ(caseRig.engine.couldHear("next"), !audioFails);
    }
}

} // namespace
} // namespace kelvo
