#pragma once

#include "windows/training_notice_view.h"

#include <functional>
#include <string_view>

namespace kelvo {

inline constexpr std::string_view kTrainingNoticeWindowName = "frmtrain";

struct TrainingNoticeServices {
    /// Opens the shipped training tutorial page.
    std::function<void()> openTutorial;
    /// Opens the voice-training screen of the profile in use; returns when
    /// it closes.
    std::function<void()> openVoiceTraining;
    std::function<void()> pumpEvents;
    /// The program's close-down.
    std::function<void()> shutdownProgram;
};

/// frmTrain: says the program will close, opens the tutorial and the
/// voice training after a pause, and closes the program however the
/// window ends.
class TrainingNoticeLogic {
public:
    static constexpr int kDelayMs = 6500;
    static constexpr const char* kCaption = "Train Kelvo";
    static constexpr const char* kQuestion = "Ready to begin training? ";
    static constexpr const char* kExplanation =
        "kelvo will now close, but first it will open the 'Speech Properties' screen where "
        "training is performed.  It will also open a tutorial that explains the process of "
        "training.";

    TrainingNoticeLogic(TrainingNoticeView& view, TrainingNoticeServices services)
        : m_view(view), m_services(std::move(services)) {}

    void open();
    void timerFired();
    /// The window closed, by the timer or by the user.
    void closed();

private:
    TrainingNoticeView& m_view;
    TrainingNoticeServices m_services;
    bool m_fired = false;
    bool m_closed = false;
};

} // namespace kelvo
