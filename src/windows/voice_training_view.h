#pragma once

#include <string>

namespace kelvo {

/// The voice-training window as its logic drives it. Calls never fail;
/// texts are plain text.
class VoiceTrainingView {
public:
    enum class Button { Record, Stop, Finish, Cancel, Close };

    virtual ~VoiceTrainingView() = default;

    virtual void setTitle(const std::string& title) = 0;
    /// Which passage this is ("Passage 2 of 4") and the text to read.
    virtual void setPassage(const std::string& heading, const std::string& text) = 0;
    virtual void setStatus(const std::string& text) = 0;
    /// The training's progress bar, 0 to 100; -1 hides it.
    virtual void setProgress(int percent) = 0;
    /// The microphone level, 0 to 1.
    virtual void setLevel(double level) = 0;
    virtual void setButtonEnabled(Button button, bool enabled) = 0;
    virtual void closeWindow() = 0;
};

} // namespace kelvo
