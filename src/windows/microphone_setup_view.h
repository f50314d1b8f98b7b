#pragma once

#include <string>
#include <vector>

namespace kelvo {

/// The microphone set-up window as its logic drives it. Calls never fail;
/// texts are plain text.
class MicrophoneSetupView {
public:
    enum class Button { Test, Save, Cancel };

    virtual ~MicrophoneSetupView() = default;

    virtual void setTitle(const std::string& title) = 0;
    /// The inputs to choose from, one of them selected.
    virtual void setSources(const std::vector<std::string>& names, int selected) = 0;
    /// The live level, 0 to 1.
    virtual void setLevel(double level) = 0;
    virtual void setTestPhrase(const std::string& phrase) = 0;
    virtual void setStatus(const std::string& text) = 0;
    virtual void setButtonEnabled(Button button, bool enabled) = 0;
    virtual void closeWindow() = 0;
};

} // namespace kelvo
