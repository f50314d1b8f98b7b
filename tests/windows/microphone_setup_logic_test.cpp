#include "windows/microphone_setup_logic.h"

#include "fakes/fake_training_parts.h"
#include "fakes/queued_ui_poster.h"
#include "fakes/temp_dir.h"

#include <gtest/gtest.h>

#include <map>

namespace kelvo {
namespace {

using Button = MicrophoneSetupView::Button;

struct RecordingView : MicrophoneSetupView {
    void setTitle(const std::string& t) override { title = t; }
    void setSources(const std::vector<std::string>& n, int s) override {
        names = n;
        selected = s;
    }
    void setLevel(double l) override { level = l; }
    void setTestPhrase(const std::string& p) override { phrase = p; }
    void setStatus(const std::string& t) override { status = t; }
    void setButtonEnabled(Button b, bool e) override { enabled[b] = e; }
    void closeWindow() override { closed = true; }

    std::string title, phrase, status;
    std::vector<std::string> names;
    int selected = -1;
    double level = -1;
    std::map<Button, bool> enabled;
    bool closed = false;
};

struct Rig {
    fakes::TempDir profile;
    fakes::FakeSoundCapture capture;
    fakes::FakePhraseCheck check;
    fakes::QueuedUiPoster poster;
    RecordingView view;
    MicrophoneSetupLogic logic{
        view,
        {capture,
         check,
         poster,
         [] {
             return Result<std::vector<speech::AudioSourceInfo>>(
                 std::vector<speech::AudioSourceInfo>{{"alsa_input.usb", "USB Microphone"},
                                                      {"alsa_input.pci", "Built-in Audio"}});
         },
         {}},
        {"ab12", "Ann - e0", profile.path()},
        "Configure Your Microphone"};

    // The capture hears the test's whole length of this sound.
    void hearTest(std::vector<std::int16_t> sound) {
        capture.recording = std::move(sound);
        for (int i = 0; i < MicrophoneSetupLogic::kTestChunks; ++i) {
            capture.level(0.5);
        }
        poster.drain();
    }
};

TEST(MicrophoneSetupLogic, TheChosenSourceIsMeteredTestedAndKeptInTheProfile) {
    Rig rig;
    rig.logic.open();
    EXPECT_EQ(rig.view.names,
              (std::vector<std::string>{"Default microphone", "USB Microphone", "Built-in Audio"}));
    EXPECT_EQ(rig.view.selected, 0);
    EXPECT_EQ(rig.capture.started.back(), "default");

    rig.logic.selectSource(2);
    EXPECT_EQ(rig.capture.started.back(), "pulse:alsa_input.pci");
    rig.capture.level(0.25);
    rig.poster.drain();
    EXPECT_DOUBLE_EQ(rig.view.level, 0.25);

    // Silence is never sent to the recognizer; speech it does not match is
    // reported as not heard, the phrase as a working microphone.
    rig.logic.clickTest();
    rig.hearTest(std::vector<std::int16_t>(16000, 2));
    EXPECT_NE(rig.view.status.find("Nothing was heard"), std::string::npos);
    EXPECT_EQ(rig.check.checks, 0);
    rig.check.hears = false;
    rig.logic.clickTest();
    rig.hearTest(fakes::toneSamples(16000));
    EXPECT_NE(rig.view.status.find("did not hear"), std::string::npos);
    rig.check.hears = true;
    rig.logic.clickTest();
    rig.hearTest(fakes::toneSamples(16000, 2000));
    EXPECT_NE(rig.view.status.find("this microphone works"), std::string::npos);
    EXPECT_TRUE(rig.capture.running); // the meter goes on after a test

    rig.logic.clickSave();
    EXPECT_TRUE(rig.view.closed);
    EXPECT_FALSE(rig.capture.running);
    EXPECT_EQ(rig.logic.result().outcome, TrainingOutcome::Completed);
    EXPECT_EQ(speech::profileMicrophone(rig.profile.path()), "alsa_input.pci");

    // Opened again, the saved choice is the one selected.
    Rig again;
    (void)speech::saveProfileMicrophone(again.profile.path(), "alsa_input.usb");
    again.logic.open();
    EXPECT_EQ(again.view.selected, 1);
    again.logic.clickCancel();
    EXPECT_EQ(again.logic.result().outcome, TrainingOutcome::Cancelled);
    EXPECT_EQ(speech::profileMicrophone(again.profile.path()), "alsa_input.usb");
}

} // namespace
} // namespace kelvo
