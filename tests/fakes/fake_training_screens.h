#pragma once

#include "speech/training_screens.h"

#include <string>
#include <vector>

namespace kelvo::fakes {

/// Records the screens shown as "mic <profile>|<title>" and "train
/// <profile>|<passages>"; each ends with the outcome the test sets.
class FakeTrainingScreens : public TrainingScreens {
public:
    TrainingResult showMicrophoneSetup(const TrainingProfile& profile,
                                       const std::string& title) override {
        shown.push_back("mic " + profile.name + "|" + title);
        return {micOutcome, ""};
    }
    TrainingResult showVoiceTraining(const TrainingProfile& profile, const std::string&,
                                     const std::string& passages) override {
        shown.push_back("train " + profile.name + "|" + passages);
        return {trainOutcome, ""};
    }

    TrainingOutcome micOutcome = TrainingOutcome::Completed;
    TrainingOutcome trainOutcome = TrainingOutcome::Completed;
    std::vector<std::string> shown;
};

} // namespace kelvo::fakes
