#pragma once

#include <filesystem>
#include <string>

namespace kelvo {

/// The voice profile a training screen works on.
struct TrainingProfile {
    /// The profile token's id.
    std::string id;
    /// The profile's name as the user sees it.
    std::string name;
    /// Where the profile keeps its files (its adaptation); empty when the
    /// platform keeps none.
    std::filesystem::path folder;
};

/// How a training screen ended.
enum class TrainingOutcome {
    /// The user went through it and its result is kept.
    Completed,
    /// The user closed it; nothing changed.
    Cancelled,
    /// There is no such screen; the user has been told.
    Unavailable,
    /// It could not do its work; the user has been told.
    Failed,
};

struct TrainingResult {
    TrainingOutcome outcome = TrainingOutcome::Unavailable;
    /// What went wrong, for the log (empty otherwise).
    std::string message;
};

/// The microphone set-up ("MicTraining") and voice-training ("UserTraining")
/// screens. Both are modal on the UI thread: they return when the screen
/// closes, and show their own errors. The caller loads the training grammar
/// before and the listening grammar after, whatever the outcome.
class TrainingScreens {
public:
    virtual ~TrainingScreens() = default;

    /// Lets the user set up the microphone for the profile.
    virtual TrainingResult showMicrophoneSetup(const TrainingProfile& profile,
                                               const std::string& title) = 0;

    /// Lets the user train the profile by reading passages aloud; passages
    /// is the text to read, empty for the screen's own.
    virtual TrainingResult showVoiceTraining(const TrainingProfile& profile,
                                             const std::string& title,
                                             const std::string& passages) = 0;
};

} // namespace kelvo
