#include "windows/voice_training_logic.h"

#include "fakes/fake_training_parts.h"
#include "fakes/queued_ui_poster.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <map>

namespace kelvo {
namespace {

using Button = VoiceTrainingView::Button;

struct RecordingView : VoiceTrainingView {
    void setTitle(const std::string& t) override { title = t; }
    void setPassage(const std::string& h, const std::string& t) override {
        heading = h;
        passage = t;
    }
    void setStatus(const std::string& t) override { status = t; }
    void setProgress(int p) override { progress = p; }
    void setLevel(double l) override { level = l; }
    void setButtonEnabled(Button b, bool e) override { enabled[b] = e; }
    void closeWindow() override { closed = true; }

    std::string title, heading, passage, status;
    int progress = -2;
    double level = -1;
    std::map<Button, bool> enabled;
    bool closed = false;
};

struct Rig {
    fakes::TempDir profile;
    fakes::FakeSoundCapture capture;
    fakes::FakeVoiceAdapter adapter;
    fakes::QueuedUiPoster poster;
    RecordingView view;
    VoiceTrainingLogic logic{view,
                             {capture, adapter, poster, {}},
                             {"ab12", "Ann - e0", profile.path()},
                             "kelvo training: Train The Profile ",
                             "First passage to read.\n\n  Second passage.  \n"};

    void readPassage(std::vector<std::int16_t> samples) {
        logic.clickRecord();
        capture.recording = std::move(samples);
        logic.clickStop();
    }
    void finishTraining() {
        logic.clickFinish();
        while (logic.training()) {
            poster.drain();
        }
        poster.drain();
    }
};

TEST(VoiceTrainingLogic, PassagesAreTheTextsLinesOrOurOwn) {
    EXPECT_EQ(VoiceTrainingLogic::splitPassages("a b\r\n\r\n c \n"),
              (std::vector<std::string>{"a b", "c"}));
    EXPECT_FALSE(VoiceTrainingLogic::splitPassages("  \n").empty());
}

TEST(VoiceTrainingLogic, EachPassageReadIsKeptInTheProfileAndAllTrainTheModel) {
    Rig rig;
    rig.logic.open();
    EXPECT_EQ(rig.view.heading, "Passage 1 of 2");
    EXPECT_FALSE(rig.view.enabled[Button::Finish]);

    // Silence and a blip are not a reading: the passage stays.
    rig.readPassage(std::vector<std::int16_t>(32000, 3));
    rig.readPassage(fakes::toneSamples(800));
    EXPECT_EQ(rig.view.heading, "Passage 1 of 2");
    EXPECT_FALSE(std::filesystem::exists(rig.profile / "recordings"));

    rig.readPassage(fakes::toneSamples(32000));
    EXPECT_EQ(rig.view.heading, "Passage 2 of 2");
    EXPECT_EQ(readWholeFile(rig.profile / "recordings" / "passage1.txt").value(),
              "First passage to read.\n");
    EXPECT_TRUE(rig.view.enabled[Button::Finish]);

    // The last passage read starts the training of every recording so far.
    rig.readPassage(fakes::toneSamples(32000));
    while (rig.logic.training()) {
        rig.poster.drain();
    }
    rig.poster.drain();
    ASSERT_EQ(rig.adapter.given.size(), 2u);
    EXPECT_EQ(rig.adapter.given[1].words, "Second passage.\n");
    EXPECT_EQ(rig.adapter.folder, rig.profile.path());
    EXPECT_EQ(rig.logic.result().outcome, TrainingOutcome::Completed);
    EXPECT_EQ(rig.view.progress, 100);
    EXPECT_TRUE(rig.view.enabled[Button::Close]);
}

TEST(VoiceTrainingLogic, AFailedOrCancelledTrainingSaysSoAndIsNoSuccess) {
    Rig failing;
    failing.adapter.outcome = Status::failure(5, "bw failed");
    failing.logic.open();
    failing.readPassage(fakes::toneSamples(32000));
    failing.finishTraining();
    EXPECT_EQ(failing.logic.result().outcome, TrainingOutcome::Failed);
    EXPECT_NE(failing.view.status.find("keeps its earlier training"), std::string::npos);

    Rig cancelled;
    cancelled.adapter.waitForCancel = true;
    cancelled.logic.open();
    cancelled.readPassage(fakes::toneSamples(32000));
    cancelled.logic.clickFinish();
    EXPECT_FALSE(cancelled.view.enabled[Button::Record]);
    cancelled.logic.clickCancel();
    while (cancelled.logic.training()) {
        cancelled.poster.drain();
    }
    cancelled.poster.drain();
    EXPECT_EQ(cancelled.logic.result().outcome, TrainingOutcome::Cancelled);

    // Closing the window mid-training stops it too.
    Rig closed;
    closed.adapter.waitForCancel = true;
    closed.logic.open();
    closed.readPassage(fakes::toneSamples(32000));
    closed.logic.clickFinish();
    closed.logic.closing();
    EXPECT_EQ(closed.logic.result().outcome, TrainingOutcome::Cancelled);
}

TEST(VoiceTrainingLogic, AMicrophoneThatCannotOpenLeavesThePassageToRead) {
    Rig rig;
    rig.capture.failure = Status::failure(5, "no microphone");
    rig.logic.open();
    rig.logic.clickRecord();
    EXPECT_NE(rig.view.status.find("no microphone"), std::string::npos);
    EXPECT_TRUE(rig.view.enabled[Button::Record]);
    rig.logic.clickCancel();
    EXPECT_TRUE(rig.view.closed);
    EXPECT_EQ(rig.logic.result().outcome, TrainingOutcome::Cancelled);
}

} // namespace
} // namespace kelvo
