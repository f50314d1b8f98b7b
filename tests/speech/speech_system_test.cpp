#include "speech/speech_system.h"

#include "fakes/fake_tone_output.h"
#include "fakes/speech_rig.h"
#include "speech/command_counter.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

/// A dispatcher that, like the real one, counts the command, lets pending
/// events run and ends with the counter reload.
class CountingDispatcher : public fakes::RecordingSpeechSink {
public:
    void onRecognition(const speech::PhraseEvent& event) override {
        fakes::RecordingSpeechSink::onRecognition(event);
        countCommand(*state);
        app->pumpEvents();
        (void)system->grammars().resetGrammarDueToCounter();
    }
    SpeechState* state = nullptr;
    AppControl* app = nullptr;
    SpeechSystem* system = nullptr;
};

TEST(SpeechSystem, RecognitionsReachTheDispatcherOneAtATimeThroughTheRunningEngine) {
    fakes::SpeechRig rig;
    fakes::FakeToneOutput tone;
    CountingDispatcher dispatcher;
    SpeechSystem system(
        {rig.engine, rig.state, rig.dir.path(), rig.boxes, rig.app, rig.feedback, tone},
        dispatcher);
    dispatcher.state = &rig.state;
    dispatcher.app = &rig.app;
    dispatcher.system = &system;

    EXPECT_EQ(system.grammar(), nullptr);
    ASSERT_TRUE(system.engine().controlEngine("crankUpEngine", "").ok());
    ASSERT_TRUE(system.engine().controlEngine("getaudioinput", "").ok());
    ASSERT_TRUE(system.engine().controlEngine("startListening", "").ok());
    ASSERT_NE(system.grammar(), nullptr);

    // Eleven commands spoken back to back: each is handled whole before the
    // next, and the eleventh reloads the grammars.
    for (int i = 0; i < 11; ++i)
        rig.engine.say("open google");
    rig.poster.drain();
    EXPECT_EQ(dispatcher.events.size(), 11u);
    EXPECT_EQ(rig.state.commandCounter, 0);
    EXPECT_EQ(rig.engine.callsStartingWith("CmdLoadFromFile").size(), 3u);

    ASSERT_TRUE(system.sleepWake().muteUnmute(kModeSleep).ok());
    EXPECT_FALSE(rig.engine.say("open google"));
    EXPECT_TRUE(rig.engine.say("activate computer microphone"));
}

} // namespace
} // namespace kelvo
