#include "speech/serial_recognition_sink.h"

#include "fakes/recording_speech_sink.h"

#include <gtest/gtest.h>

#include <functional>

namespace kelvo {
namespace {

/// Records like the recording sink and runs a hook inside each recognition,
/// as a dispatcher that lets pending events run would.
class ReenteringSink : public fakes::RecordingSpeechSink {
public:
    void onRecognition(const speech::PhraseEvent& event) override {
        events.push_back("begin " + event.text);
        if (inside)
            inside(event);
        events.push_back("end " + event.text);
    }
    std::function<void(const speech::PhraseEvent&)> inside;
};

TEST(SerialRecognitionSink, RecognitionArrivingInsideOneIsHandledAfterIt) {
    ReenteringSink target;
    SerialRecognitionSink serial(target);
    target.inside = [&](const speech::PhraseEvent& event) {
        if (event.text == "first") {
            serial.onRecognition({1, 0, 0, "second", "second"});
            serial.onRecognition({1, 0, 0, "third", "third"});
            serial.onHypothesis({1, 0, 0, "hmm", ""});
        }
    };
    serial.onRecognition({1, 0, 0, "first", "first"});
    EXPECT_EQ(target.events,
              (std::vector<std::string>{"begin first", "Hypothesis hmm", "end first",
                                        "begin second", "end second", "begin third", "end third"}));
    EXPECT_FALSE(serial.busy());
}

TEST(SerialRecognitionSink, OtherEventsPassStraightThrough) {
    fakes::RecordingSpeechSink target;
    SerialRecognitionSink serial(target);
    serial.onFalseRecognition({1, 0, 0, "mumble", ""});
    serial.onInterference({1, 0, speech::interference::kNoSignal});
    serial.onRequestUI({1, 0, "UserTraining"});
    serial.onRecognition({1, 0, 0, "open google", "open google"});
    EXPECT_EQ(target.events, (std::vector<std::string>{"FalseRecognition mumble", "Interference 2",
                                                       "RequestUI UserTraining",
                                                       "Recognition open google [open google] 0"}));
}

TEST(SerialRecognitionSink, AThrowingHandlerDoesNotLeaveItBusy) {
    ReenteringSink target;
    SerialRecognitionSink serial(target);
    target.inside = [](const speech::PhraseEvent&) { throw std::runtime_error("x"); };
    EXPECT_THROW(serial.onRecognition({1, 0, 0, "a", "a"}), std::runtime_error);
    EXPECT_FALSE(serial.busy());
}

} // namespace
} // namespace kelvo
