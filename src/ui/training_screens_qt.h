#pragma once

#include "platform/speech/sound_capture.h"
#include "platform/speech/voice_adaptation.h"
#include "speech/training_screens.h"

#include <filesystem>
#include <memory>

namespace kelvo {

/// The microphone set-up and voice-training screens as modal Qt windows.
class QtTrainingScreens final : public TrainingScreens {
public:
    /// Model files the training tools need are made once in the data
    /// folder; the program's own words come from the resources. Both are
    /// read at each use: the start-up fixes them after this is made.
    QtTrainingScreens(const std::filesystem::path& dataFolder,
                      const std::filesystem::path& resourcesFolder);
    ~QtTrainingScreens() override;

    TrainingResult showMicrophoneSetup(const TrainingProfile& profile,
                                       const std::string& title) override;
    TrainingResult showVoiceTraining(const TrainingProfile& profile, const std::string& title,
                                     const std::string& passages) override;

private:
    const std::filesystem::path& m_dataFolder;
    const std::filesystem::path& m_resourcesFolder;
    std::unique_ptr<speech::SoundCapture> m_capture;
    std::unique_ptr<speech::PhraseCheck> m_check;
    std::unique_ptr<speech::VoiceAdapter> m_adapter;
};

} // namespace kelvo
