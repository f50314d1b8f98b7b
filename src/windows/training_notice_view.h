#pragma once

#include <string>

namespace kelvo {

/// The training start notice as its logic drives it.
class TrainingNoticeView {
public:
    virtual ~TrainingNoticeView() = default;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void setTexts(const std::string& question, const std::string& explanation) = 0;
    /// Fires the logic's timerFired once after `milliseconds`.
    virtual void startTimer(int milliseconds) = 0;
    virtual void stopTimer() = 0;
    /// Closes the window; the window then reports closed() to the logic.
    virtual void closeWindow() = 0;
};

} // namespace kelvo
