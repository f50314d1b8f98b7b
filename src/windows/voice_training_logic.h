#pragma once

#include "platform/speech/sound_capture.h"
#include "platform/speech/speech_events.h"
#include "platform/speech/voice_adaptation.h"
#include "speech/training_screens.h"
#include "windows/voice_training_view.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace kelvo {

struct VoiceTrainingServices {
    speech::SoundCapture& capture;
    speech::VoiceAdapter& adapter;
    /// Brings the capture's levels and the training's progress to the UI
    /// thread.
    speech::UiPoster& poster;
    /// Where the passages are recorded from.
    speech::AudioInputSetting input;
};

/// Voice training: the user reads passages aloud, each recorded into the
/// profile folder; then the model is adapted to all the profile's
/// recordings on a worker thread, with progress, and can be cancelled.
class VoiceTrainingLogic {
public:
    /// Shortest recording worth keeping, in samples.
    static constexpr std::size_t kShortestPassage = 16000;
    /// Loudest sample below which nothing was said.
    static constexpr int kSilentPeak = 300;

    VoiceTrainingLogic(VoiceTrainingView& view, VoiceTrainingServices services,
                       TrainingProfile profile, std::string title, std::string passages);
    /// Stops recording and a running training, waiting for it.
    ~VoiceTrainingLogic();
    VoiceTrainingLogic(const VoiceTrainingLogic&) = delete;
    VoiceTrainingLogic& operator=(const VoiceTrainingLogic&) = delete;

    void open();
    void clickRecord();
    void clickStop();
    void clickFinish();
    void clickCancel();
    void clickClose();
    /// The window closes by other means: as Cancel, and the screen ends.
    void closing();

    TrainingResult result() const { return m_result; }
    bool training() const { return m_worker.joinable() && !m_finished; }

    /// One passage per non-blank line of the text; our own when it has none.
    static std::vector<std::string> splitPassages(const std::string& text);

private:
    enum class Stage { Reading, Recording, Training, Done };
    void showPassage();
    void showButtons();
    void trainingEnded(const Status& status);
    std::vector<speech::AdaptationRecording> recordings() const;

    VoiceTrainingView& m_view;
    VoiceTrainingServices m_services;
    TrainingProfile m_profile;
    std::string m_title;
    std::vector<std::string> m_passages;
    std::size_t m_current = 0;
    std::size_t m_recorded = 0;
    Stage m_stage = Stage::Reading;
    TrainingResult m_result{TrainingOutcome::Cancelled, {}};
    std::atomic<bool> m_cancel{false};
    bool m_finished = false;
    // The worker's outcome, read once it has been joined.
    Status m_workerStatus;
    std::thread m_worker;
    // Tasks posted to the UI thread run only while the logic lives.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace kelvo
