#pragma once

#include <string>

namespace kelvo {

/// The content update's progress window (`frmUpdate`): a message, a
/// progress bar of 0 to 100 and a picture. Calls never fail.
class UpdateWindowView {
public:
    virtual ~UpdateWindowView() = default;

    /// Shows the window, not modal.
    virtual void showWindow() = 0;
    /// Shows the message (plain text).
    virtual void setMessage(const std::string& message) = 0;
    /// Sets the progress bar, 0 to 100.
    virtual void setProgress(int percent) = 0;
    /// Hides the window and lets it go.
    virtual void closeWindow() = 0;
};

} // namespace kelvo
