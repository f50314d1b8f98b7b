#pragma once

#include <functional>
#include <string>

namespace kelvo {

/// The button that closed a box. Closed means the window's own close button.
enum class BoxButton { Yes, No, Ok, Closed };

/// Which buttons a message box shows: "ok" gives OK, "yesno" gives Yes and No,
/// anything else shows no button.
enum class BoxStyle { Ok, YesNo, None };

/// The program's own four windows as the core sees them. src/ui implements
/// it with Qt dialogs; tests implement it with a recording fake.
class DialogPort {
public:
    virtual ~DialogPort() = default;

    /// Shows the message box and runs a nested event loop until a button is
    /// pressed or the box is closed; returns that button.
    virtual BoxButton showMessageBoxModal(const std::string& title, BoxStyle style,
                                          const std::string& message) = 0;

    /// Shows the message box and returns at once; onAnswer runs later on the
    /// UI thread with the button that closed it (exactly once).
    virtual void showMessageBoxModeless(const std::string& title, BoxStyle style,
                                        const std::string& message,
                                        std::function<void(BoxButton)> onAnswer) = 0;

    /// Shows the small notice. When autoClose is true it closes itself after
    /// autoCloseMs; when modal is true this call returns only once it closed.
    virtual void showNotice(const std::string& first, const std::string& second, bool autoClose,
                            int autoCloseMs, bool modal) = 0;

    /// Shows the runtime-error window (not modal). onOk runs when its OK is
    /// pressed; the caller ends the program there.
    virtual void showRuntimeError(const std::string& title, const std::string& message,
                                  std::function<void()> onOk) = 0;

    /// Shows the error window with a link. onLink runs when the link is
    /// clicked. When modal is true this call returns once the window closed.
    virtual BoxButton showErrorDialog(const std::string& title, BoxStyle style,
                                      const std::string& message, const std::string& linkCaption,
                                      bool modal, std::function<void()> onLink) = 0;
};

} // namespace kelvo
