#include "program/unavailable_training_screens.h"

namespace kelvo {

namespace {
constexpr const char* kNoScreens = "kelvo has no microphone set-up or voice training screens yet.";
}

TrainingResult UnavailableTrainingScreens::showMicrophoneSetup(const TrainingProfile&,
                                                               const std::string&) {
    m_boxes.showNotice(kNoScreens, "The profile is used as it is.", 4000, true);
    return {TrainingOutcome::Unavailable, kNoScreens};
}

TrainingResult UnavailableTrainingScreens::showVoiceTraining(const TrainingProfile&,
                                                             const std::string&,
                                                             const std::string&) {
    m_boxes.showNotice(kNoScreens, "The profile is used as it is.", 4000, true);
    return {TrainingOutcome::Unavailable, kNoScreens};
}

} // namespace kelvo
