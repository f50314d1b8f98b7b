#pragma once

#include "services/message_boxes.h"
#include "speech/training_screens.h"

namespace kelvo {

/// Stands in for the microphone set-up and voice-training screens while the
/// program has none: it says so and reports them unavailable, never done.
class UnavailableTrainingScreens final : public TrainingScreens {
public:
    explicit UnavailableTrainingScreens(MessageBoxes& boxes) : m_boxes(boxes) {}

    TrainingResult showMicrophoneSetup(const TrainingProfile& profile,
                                       const std::string& title) override;
    TrainingResult showVoiceTraining(const TrainingProfile& profile, const std::string& title,
                                     const std::string& passages) override;

private:
    MessageBoxes& m_boxes;
};

} // namespace kelvo
