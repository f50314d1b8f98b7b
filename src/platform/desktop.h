#pragma once

#include "platform/environment.h"
#include "platform/status.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kelvo {

/// A top-level window of the desktop; 0 means none.
using WindowHandle = std::uint64_t;

/// The code with which every action fails on a desktop that cannot be
/// driven at all (no X display, a Wayland session): it stays so for the run.
inline constexpr int kDesktopUnavailable = 1;

/// The WM_CLASS names of a window: its instance and its class.
struct WindowClass {
    std::string instance;
    std::string className;
    bool operator==(const WindowClass&) const = default;
};

/// Logical pointer buttons, as applications see them after the user's
/// button mapping: Primary selects, Secondary opens context menus.
enum class PointerButton { Primary, Middle, Secondary };

/// The desktop as the mouse and window commands drive it: synthesised
/// pointer buttons and keys, and the window in front.
class Desktop {
public:
    virtual ~Desktop() = default;

    /// Connects to the X display named by $DISPLAY. Fails (code
    /// kDesktopUnavailable, a message for the user) in a Wayland session,
    /// where synthesised input and window commands reach only the few
    /// windows Xwayland shows, when there is no X display, or when the
    /// XTest extension is missing.
    static Result<std::unique_ptr<Desktop>> create(const Environment& env = processEnvironment());

    /// Presses or releases a button at the pointer's current position,
    /// without moving it. The physical button is chosen from the user's
    /// pointer mapping so that the logical button arrives. Fails when the
    /// desktop cannot synthesise input.
    virtual Status pressButton(PointerButton button, bool down) = 0;

    /// Presses and releases the key of the named key symbol ("Super_L").
    /// Fails when the keyboard has no such key.
    virtual Status tapKey(const std::string& keySymbol) = 0;

    /// The window that has the focus, or 0 when none does.
    virtual Result<WindowHandle> activeWindow() = 0;

    /// The window's title (UTF-8), empty when it has none or is gone.
    virtual std::string windowTitle(WindowHandle window) = 0;

    /// True when the window is the desktop background or a panel or dock.
    virtual bool isDesktopOrDock(WindowHandle window) = 0;

    /// Asks the window manager to close the window as its close button does.
    virtual Status closeWindow(WindowHandle window) = 0;

    /// Restores the window to its normal size: un-maximises it, and
    /// re-activates it when it is minimised.
    virtual Status restoreWindow(WindowHandle window) = 0;

    /// Brings the window of a running program to the front with the focus,
    /// un-minimised: its first top-level window that names the process as
    /// its own. Fails when the process shows no window.
    virtual Status raiseWindowOf(std::uint32_t processId) = 0;

    /// The WM_CLASS of every top-level window (the window manager's list of
    /// the windows it manages, in its order); windows without one are left
    /// out. Fails when the desktop cannot be asked.
    virtual Result<std::vector<WindowClass>> clientWindowClasses() = 0;
};

/// What a user is told when the session is a Wayland one.
inline constexpr const char* kNeedsX11Session =
    "Mouse clicks and window commands need an X11 session. In a Wayland session a program may "
    "not click or close other programs' windows; choose an X11 (Xorg) session when you log in "
    "to use them.";

/// A desktop on which every action fails with the given reason; used where
/// the session offers no way to drive windows.
std::unique_ptr<Desktop> makeUnavailableDesktop(std::string reason);

} // namespace kelvo
