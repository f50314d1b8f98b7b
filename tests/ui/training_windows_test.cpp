#include "ui/microphone_setup_window.h"
#include "ui/training_explainer_window.h"
#include "ui/voice_training_window.h"
#include "windows/microphone_setup_logic.h"
#include "windows/voice_training_logic.h"

#include "fakes/fake_training_parts.h"
#include "fakes/fake_window_registry.h"
#include "fakes/queued_ui_poster.h"
#include "fakes/temp_dir.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <cstdlib>

namespace kelvo {
namespace {

// KELVO_SCREENSHOT_DIR set: each window is also saved as a picture.
void keepPicture(QWidget& window, const char* name) {
    if (const char* dir = std::getenv("KELVO_SCREENSHOT_DIR")) {
        window.show();
        window.grab().save(QString(dir) + "/" + name + ".png");
    }
}

TEST(TrainingWindows, TheButtonsAndTheListReachTheLogic) {
    fakes::TempDir profile;
    fakes::FakeSoundCapture capture;
    fakes::FakeVoiceAdapter adapter;
    fakes::FakePhraseCheck check;
    fakes::QueuedUiPoster poster;

    VoiceTrainingWindow training;
    VoiceTrainingLogic trainingLogic(training, {capture, adapter, poster, {}},
                                     {"ab12", "Ann - e0", profile.path()},
                                     "kelvo training: Train The Profile ", "");
    training.setLogic(&trainingLogic);
    trainingLogic.open();
    keepPicture(training, "voice_training");
    training.findChild<QPushButton*>("cmdRecord")->click();
    EXPECT_TRUE(capture.running);
    capture.recording = fakes::toneSamples(32000);
    training.findChild<QPushButton*>("cmdStop")->click();
    EXPECT_EQ(training.findChild<QLabel*>("lblPassage")->text(), "Passage 2 of 3");
    EXPECT_TRUE(training.findChild<QPushButton*>("cmdTrainNow")->isEnabled());

    MicrophoneSetupWindow microphone;
    MicrophoneSetupLogic microphoneLogic(
        microphone,
        {capture,
         check,
         poster,
         [] {
             return Result<std::vector<speech::AudioSourceInfo>>(
                 std::vector<speech::AudioSourceInfo>{{"usb", "USB Microphone"}});
         },
         {}},
        {"ab12", "Ann - e0", profile.path()}, "Configure Your Microphone");
    microphone.setLogic(&microphoneLogic);
    microphoneLogic.open();
    keepPicture(microphone, "microphone_setup");
    microphone.findChild<QComboBox*>("cboMicrophone")->setCurrentIndex(1);
    EXPECT_EQ(capture.started.back(), "pulse:usb");
    microphone.findChild<QPushButton*>("cmdSave")->click();
    EXPECT_EQ(speech::profileMicrophone(profile.path()), "usb");

    fakes::FakeWindowRegistry windows;
    SpeechState speech;
    auto* explainer =
        new TrainingExplainerWindow({windows, speech, [] {}, [](const std::string&) {}});
    keepPicture(*explainer, "training_explainer");
    explainer->close(); // deletes itself, showing the main window
    EXPECT_TRUE(windows.shown("mouse"));
}

} // namespace
} // namespace kelvo
