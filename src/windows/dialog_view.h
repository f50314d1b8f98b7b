#pragma once

#include <string>

namespace kelvo {

/// What every small window of the program does the same way. Each window's
/// own view adds its controls. Calls never fail; text is plain text.
class DialogView {
public:
    virtual ~DialogView() = default;

    virtual void setCaption(const std::string& caption) = 0;

    /// Shows the window on top of the others. Modal: blocks the other
    /// windows and returns only once this one is closed; by then the window
    /// and its logic may be gone, so the caller touches neither afterwards.
    virtual void showWindow(bool modal) = 0;

    /// Brings the open window to the front and gives it the focus.
    virtual void raiseWindow() = 0;

    /// Closes and unloads the window; its logic goes with it once the
    /// current event is handled.
    virtual void closeWindow() = 0;

    /// Starts the window's one timer: its logic's timerFired() runs once,
    /// ms milliseconds from now. A second call starts it again.
    virtual void armTimer(int ms) = 0;
};

} // namespace kelvo
