#include "startup/speech_startup_hooks.h"

#include "fakes/fake_tone_output.h"
#include "fakes/speech_rig.h"

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
    // Only the audio-setup error is shown, not a second report.
    EXPECT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_FALSE(hooks.loadTrainingGrammar("min.xml").ok());
}

TEST_F(SpeechStartupHooksTest, WithoutASpeechSystemTheStepsDoNothing) {
    SpeechStartupHooks hooks([] { return nullptr; }, next);
    hooks.controlEngine("crankUpEngine", "");
    EXPECT_FALSE(hooks.engineRunning());
    EXPECT_FALSE(hooks.loadTrainingGrammar("min.xml").ok());
    EXPECT_TRUE(rig.engine.calls.empty());
}

} // namespace
} // namespace kelvo
