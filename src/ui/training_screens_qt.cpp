#include "ui/training_screens_qt.h"

#include "platform/atomic_file.h"
#include "platform/speech/audio_input_setting.h"
#include "platform/speech/sphinx_voice_adapter.h"
#include "ui/microphone_setup_window.h"
#include "ui/qt_ui_poster.h"
#include "ui/voice_training_window.h"
#include "windows/microphone_setup_logic.h"
#include "windows/voice_training_logic.h"

#include <QMessageBox>

namespace kelvo {
namespace {

speech::AudioInputSetting standardInput() {
    auto setting = speech::readAudioInputSetting(speech::speechSettingsPath());
    return setting ? *setting : speech::AudioInputSetting{};
}

// The profile's microphone when one was chosen and nothing else is set.
speech::AudioInputSetting recordingInput(const TrainingProfile& profile) {
    speech::AudioInputSetting input = standardInput();
    if (input.kind == speech::AudioSourceKind::Default) {
        if (std::string chosen = speech::profileMicrophone(profile.folder); !chosen.empty()) {
            input = {speech::AudioSourceKind::Pulse, chosen};
        }
    }
    return input;
}

// Nowhere to keep a recording or a choice: said, never pretended.
TrainingResult noFolder(const TrainingProfile& profile) {
    const std::string message =
        "The profile '" + profile.name + "' keeps no files, so it cannot be set up or trained.";
    QMessageBox::information(nullptr, "kelvo", QString::fromStdString(message));
    return {TrainingOutcome::Failed, message};
}

} // namespace

QtTrainingScreens::QtTrainingScreens(const std::filesystem::path& dataFolder,
                                     const std::filesystem::path& resourcesFolder)
    : m_dataFolder(dataFolder), m_resourcesFolder(resourcesFolder),
      m_capture(speech::makeSoundCapture()) {}

QtTrainingScreens::~QtTrainingScreens() = default;

TrainingResult QtTrainingScreens::showMicrophoneSetup(const TrainingProfile& profile,
                                                      const std::string& title) {
    if (profile.folder.empty()) {
        return noFolder(profile);
    }
    if (!m_check) {
        auto words = readWholeFile(m_resourcesFolder / "speech" / "kelvo.dict");
        m_check = speech::makeSphinxPhraseCheck(words ? *words : std::string());
    }
    MicrophoneSetupWindow window;
    QtUiPoster poster(&window);
    MicrophoneSetupLogic logic(
        window,
        {*m_capture, *m_check, poster, [] { return speech::listAudioSources(); }, standardInput()},
        profile, title);
    window.setLogic(&logic);
    logic.open();
    window.exec();
    logic.closing();
    return logic.result();
}

TrainingResult QtTrainingScreens::showVoiceTraining(const TrainingProfile& profile,
                                                    const std::string& title,
                                                    const std::string& passages) {
    if (profile.folder.empty()) {
        return noFolder(profile);
    }
    if (!m_adapter) {
        speech::SphinxAdapterOptions options;
        options.cacheFolder = m_dataFolder / "speech-adaptation";
        m_adapter = speech::makeSphinxVoiceAdapter(options);
    }
    VoiceTrainingWindow window;
    QtUiPoster poster(&window);
    VoiceTrainingLogic logic(window, {*m_capture, *m_adapter, poster, recordingInput(profile)},
                             profile, title, passages);
    window.setLogic(&logic);
    logic.open();
    window.exec();
    logic.closing();
    return logic.result();
}

} // namespace kelvo
