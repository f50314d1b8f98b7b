#pragma once

#include <string>

namespace kelvo {

/// The text boxes of the two VoIP settings dialogs.
enum class VoipBox { JajahUser, JajahPassword, JajahHome, JajahMobile, JajahWork, SkypeUser };

/// A VoIP settings dialog as its logic sees it; src/ui draws it.
class VoipSettingsView {
public:
    virtual ~VoipSettingsView() = default;

    virtual void setBoxText(VoipBox box, const std::string& text) = 0;
    virtual std::string boxText(VoipBox box) const = 0;
    /// Closes and unloads the dialog.
    virtual void closeWindow() = 0;
};

} // namespace kelvo
