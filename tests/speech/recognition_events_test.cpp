#include "speech/recognition_events.h"

#include "fakes/dispatch_rig.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(RecognitionEvents, HypothesesAndFalseRecognitionsAreOnlyListed) {
    fakes::DispatchRig rig;
    speech::PhraseEvent event;
    event.text = "click";
    rig.events.onHypothesis(event);
    rig.events.onFalseRecognition(event);
    EXPECT_EQ(rig.state.diagnostics.lines(),
              (std::deque<std::string>{"hyp: click", "FalseRecog: click"}));
    EXPECT_TRUE(rig.desktop.calls.empty());
    EXPECT_EQ(rig.speech.commandCounter, 0);
    EXPECT_TRUE(rig.host.calls.empty());
}

TEST(RecognitionEvents, ARecognitionIsListedAndDispatched) {
    fakes::DispatchRig rig;
    rig.recognise("click");
    EXPECT_EQ(rig.state.diagnostics.lines(), std::deque<std::string>{"recog: click"});
    EXPECT_EQ(rig.desktop.calls, (std::vector<std::string>{"down primary", "up primary"}));
}

TEST(RecognitionEvents, InterferenceIsListedAndNoSignalShownUntilTheSignalIsBack) {
    fakes::DispatchRig rig;
    rig.events.onInterference({0, 0, 2});
    rig.events.onInterference({0, 0, 3});
    rig.events.onInterference({0, 0, 0});
    EXPECT_EQ(rig.host.calls,
              (std::vector<std::string>{"signal No signal - check mic", "signal "}));
    EXPECT_EQ(rig.state.diagnostics.lines(),
              (std::deque<std::string>{"interference: ", "interference: Too loud. Speak softly.",
                                       "interference: "}));
}

TEST(RecognitionEvents, TrainingRequestsGoToTheirHandler) {
    fakes::DispatchRig rig;
    rig.events.onRequestUI({0, 0, "UserTraining"});
    EXPECT_EQ(rig.requests, std::vector<std::string>{"UserTraining"});
}

TEST(RecognitionEvents, SpokenPhrasesArriveThroughTheEngine) {
    fakes::DispatchRig rig;
    ASSERT_TRUE(rig.start());
    rig.engine.say("mute computer microphone");
    rig.poster.drain();
    EXPECT_EQ(rig.host.count("mute -1"), 1);
    const auto callsBefore = rig.host.calls;
    rig.engine.say("go fun tab please");
    rig.poster.drain();
    EXPECT_EQ(rig.host.calls, callsBefore);
}

} // namespace
} // namespace kelvo
