#include "platform/speech/speech_event_relay.h"

#include "fakes/queued_ui_poster.h"
#include "fakes/recording_speech_sink.h"

#include <gtest/gtest.h>

#include <thread>

namespace kelvo::speech {
namespace {

constexpr unsigned kAll = event_interest::kRecognition | event_interest::kHypothesis |
                          event_interest::kFalseRecognition | event_interest::kRequestUI |
                          event_interest::kInterference;

TEST(SpeechEventRelay, EventsArriveOnlyWhenTheUiRunsThemInOrder) {
    fakes::QueuedUiPoster poster;
    fakes::RecordingSpeechSink sink;
    SpeechEventRelay relay(poster, sink, kAll);

    relay.postRecognition({1, 0, 0, "open google", "open google"});
    relay.postHypothesis({1, 0, 0, "open", ""});
    relay.postFalseRecognition({1, 0, 0, "mumble", ""});
    relay.postInterference({1, 0, interference::kTooLoud});
    relay.postRequestUI({1, 0, "UserTraining"});
    EXPECT_TRUE(sink.events.empty());

    EXPECT_EQ(poster.drain(), 5);
    EXPECT_EQ(sink.events, (std::vector<std::string>{"Recognition open google [open google] 0",
                                                     "Hypothesis open", "FalseRecognition mumble",
                                                     "Interference 3", "RequestUI UserTraining"}));
}

TEST(SpeechEventRelay, OnlyInterestingEventsAreDelivered) {
    fakes::QueuedUiPoster poster;
    fakes::RecordingSpeechSink sink;
    SpeechEventRelay relay(poster, sink, event_interest::kRecognition);
    relay.postHypothesis({1, 0, 0, "open", ""});
    relay.postRecognition({1, 0, 0, "open", "open"});
    relay.postRequestUI({1, 0, "UserTraining"});
    poster.drain();
    EXPECT_EQ(sink.events, (std::vector<std::string>{"Recognition open [open] 0"}));
}

TEST(SpeechEventRelay, InterestsAreCheckedWhenTheEventRuns) {
    fakes::QueuedUiPoster poster;
    fakes::RecordingSpeechSink sink;
    SpeechEventRelay relay(poster, sink, event_interest::kRecognition);
    relay.postRecognition({1, 0, 0, "open", "open"});
    relay.setInterests(0);
    poster.drain();
    EXPECT_TRUE(sink.events.empty());
}

TEST(SpeechEventRelay, EventsOfAReleasedContextAreDropped) {
    fakes::QueuedUiPoster poster;
    fakes::RecordingSpeechSink sink;
    {
        SpeechEventRelay relay(poster, sink, kAll);
        relay.postRecognition({1, 0, 0, "open", "open"});
    }
    EXPECT_EQ(poster.drain(), 1);
    EXPECT_TRUE(sink.events.empty());
}

TEST(SpeechEventRelay, PostingFromAnotherThreadReachesTheUiThread) {
    fakes::QueuedUiPoster poster;
    fakes::RecordingSpeechSink sink;
    SpeechEventRelay relay(poster, sink, kAll);
    std::thread decoder([&] {
        for (int i = 0; i < 100; ++i)
            relay.postFalseRecognition({1, i, 0, "x", ""});
    });
    decoder.join();
    poster.drain();
    EXPECT_EQ(sink.events.size(), 100u);
}

} // namespace
} // namespace kelvo::speech
