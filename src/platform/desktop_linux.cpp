#include "platform/desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
// Xlib names its return code type with a macro that hides ours.
#undef Status

#include <memory>
#include <string>
#include <vector>

namespace kelvo {

namespace {

// Xlib's default handler ends the process; a window that vanished between
// looking it up and acting on it must not take the program with it.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

unsigned int logicalNumber(PointerButton button) {
    switch (button) {
    case PointerButton::Primary:
        return 1;
    case PointerButton::Middle:
        return 2;
    case PointerButton::Secondary:
        return 3;
    }
    return 1;
}

struct XFreeDeleter {
    void operator()(unsigned char* data) const {
        if (data != nullptr) {
            XFree(data);
        }
    }
};
using XData = std::unique_ptr<unsigned char, XFreeDeleter>;

class X11Desktop final : public Desktop {
public:
    explicit X11Desktop(Display* display) : m_display(display) {}
    ~X11Desktop() override { XCloseDisplay(m_display); }
    X11Desktop(const X11Desktop&) = delete;
    X11Desktop& operator=(const X11Desktop&) = delete;

    Status pressButton(PointerButton button, bool down) override {
        const unsigned int physical = physicalButtonFor(logicalNumber(button));
        if (XTestFakeButtonEvent(m_display, physical, down ? True : False, CurrentTime) == 0) {
            return Status::failure(2, "the X server refused a synthesised button event");
        }
        XFlush(m_display);
        return {};
    }

    Status tapKey(const std::string& keySymbol) override {
        const KeySym sym = XStringToKeysym(keySymbol.c_str());
        const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(m_display, sym);
        if (code == 0) {
            return Status::failure(3, "the keyboard has no key " + keySymbol);
        }
        XTestFakeKeyEvent(m_display, code, True, CurrentTime);
        XTestFakeKeyEvent(m_display, code, False, CurrentTime);
        XFlush(m_display);
        return {};
    }

    Result<WindowHandle> activeWindow() override {
        unsigned long count = 0;
        XData data = property(root(), atom("_NET_ACTIVE_WINDOW"), XA_WINDOW, count);
        if (data && count > 0) {
            // Some window managers leave the property naming a window that
            // has gone when nothing else could take the focus.
            const Window window = reinterpret_cast<Window*>(data.get())[0];
            return WindowHandle{isViewable(window) ? window : 0};
        }
        // Without an EWMH window manager the focus window is the one in front.
        Window focus = None;
        int revert = 0;
        XGetInputFocus(m_display, &focus, &revert);
        if (focus == None || focus == PointerRoot) {
            return WindowHandle{0};
        }
        return WindowHandle{focus};
    }

    std::string windowTitle(WindowHandle window) override {
        if (window == 0) {
            return {};
        }
        unsigned long count = 0;
        XData utf8 = property(window, atom("_NET_WM_NAME"), atom("UTF8_STRING"), count);
        if (utf8 && count > 0) {
            return std::string(reinterpret_cast<const char*>(utf8.get()), count);
        }
        XTextProperty text{};
        if (XGetWMName(m_display, window, &text) == 0 || text.value == nullptr) {
            return {};
        }
        std::string title(reinterpret_cast<const char*>(text.value), text.nitems);
        XFree(text.value);
        return title;
    }

    bool isDesktopOrDock(WindowHandle window) override {
        if (window == 0 || window == root()) {
            return true;
        }
        unsigned long count = 0;
        XData data = property(window, atom("_NET_WM_WINDOW_TYPE"), XA_ATOM, count);
        if (!data) {
            return false;
        }
        const Atom desktop = atom("_NET_WM_WINDOW_TYPE_DESKTOP");
        const Atom dock = atom("_NET_WM_WINDOW_TYPE_DOCK");
        const auto* types = reinterpret_cast<const Atom*>(data.get());
        for (unsigned long i = 0; i < count; ++i) {
            if (types[i] == desktop || types[i] == dock) {
                return true;
            }
        }
        return false;
    }

    Status closeWindow(WindowHandle window) override {
        if (window == 0) {
            return Status::failure(4, "no window to close");
        }
        // Source 2: the request comes from the user, not from the window.
        sendRootMessage(window, atom("_NET_CLOSE_WINDOW"), {CurrentTime, 2, 0, 0, 0});
        return {};
    }

    Status restoreWindow(WindowHandle window) override {
        if (window == 0) {
            return Status::failure(4, "no window to restore");
        }
        constexpr long kRemove = 0;
        sendRootMessage(window, atom("_NET_WM_STATE"),
                        {kRemove, static_cast<long>(atom("_NET_WM_STATE_MAXIMIZED_VERT")),
                         static_cast<long>(atom("_NET_WM_STATE_MAXIMIZED_HORZ")), 2, 0});
        if (hasState(window, atom("_NET_WM_STATE_HIDDEN"))) {
            sendRootMessage(window, atom("_NET_ACTIVE_WINDOW"), {2, CurrentTime, 0, 0, 0});
        }
        return {};
    }

    Status raiseWindowOf(std::uint32_t processId) override {
        for (Window window : topLevelWindows()) {
            unsigned long count = 0;
            XData pid = property(window, atom("_NET_WM_PID"), XA_CARDINAL, count);
            // Format-32 properties come as longs, whatever their width.
            if (count == 0 || *reinterpret_cast<const unsigned long*>(pid.get()) != processId) {
                continue;
            }
            sendRootMessage(window, atom("_NET_ACTIVE_WINDOW"), {2, CurrentTime, 0, 0, 0});
            XRaiseWindow(m_display, window);
            XFlush(m_display);
            return {};
        }
        return Status::failure(4, "the program shows no window");
    }

    Result<std::vector<WindowClass>> clientWindowClasses() override {
        std::vector<WindowClass> classes;
        for (Window window : topLevelWindows()) {
            // A window that went meanwhile has no class hint any more.
            XClassHint hint{};
            if (XGetClassHint(m_display, window, &hint) == 0) {
                continue;
            }
            classes.push_back(
                {hint.res_name ? hint.res_name : "", hint.res_class ? hint.res_class : ""});
            XFree(hint.res_name);
            XFree(hint.res_class);
        }
        return classes;
    }

private:
    Window root() const { return DefaultRootWindow(m_display); }

    /// The windows the window manager manages; without one, the root's
    /// children that are shown.
    std::vector<Window> topLevelWindows() const {
        unsigned long count = 0;
        XData list = property(root(), atom("_NET_CLIENT_LIST"), XA_WINDOW, count);
        if (count > 0) {
            const auto* windows = reinterpret_cast<const Window*>(list.get());
            return std::vector<Window>(windows, windows + count);
        }
        std::vector<Window> shown;
        Window rootReturn = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int childCount = 0;
        if (XQueryTree(m_display, root(), &rootReturn, &parent, &children, &childCount) != 0) {
            for (unsigned int i = 0; i < childCount; ++i) {
                if (isViewable(children[i])) {
                    shown.push_back(children[i]);
                }
            }
            XFree(children);
        }
        return shown;
    }

    Atom atom(const char* name) const { return XInternAtom(m_display, name, False); }

    XData property(Window window, Atom name, Atom type, unsigned long& count) const {
        Atom actualType = None;
        int format = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        count = 0;
        if (XGetWindowProperty(m_display, window, name, 0, 1024, False, type, &actualType, &format,
                               &count, &remaining, &data) != Success) {
            return XData{};
        }
        if (actualType != type) {
            count = 0;
        }
        return XData{data};
    }

    bool isViewable(Window window) const {
        XWindowAttributes attributes{};
        return window != None && XGetWindowAttributes(m_display, window, &attributes) != 0 &&
               attributes.map_state == IsViewable;
    }

    bool hasState(Window window, Atom state) const {
        unsigned long count = 0;
        XData data = property(window, atom("_NET_WM_STATE"), XA_ATOM, count);
        const auto* states = reinterpret_cast<const Atom*>(data.get());
        for (unsigned long i = 0; i < count; ++i) {
            if (states[i] == state) {
                return true;
            }
        }
        return false;
    }

    void sendRootMessage(Window window, Atom type, std::vector<long> values) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = type;
        event.xclient.format = 32;
        for (std::size_t i = 0; i < values.size() && i < 5; ++i) {
            event.xclient.data.l[i] = values[i];
        }
        XSendEvent(m_display, root(), False, SubstructureRedirectMask | SubstructureNotifyMask,
                   &event);
        XFlush(m_display);
    }

    unsigned int physicalButtonFor(unsigned int logical) const {
        // Synthesised presses go through the user's button mapping like real
        // ones, so press the physical button that the mapping turns into
        // the logical one we mean.
        unsigned char map[256];
        const int count = XGetPointerMapping(m_display, map, sizeof map);
        for (int i = 0; i < count; ++i) {
            if (map[i] == logical) {
                return static_cast<unsigned int>(i + 1);
            }
        }
        return logical;
    }

    Display* m_display;
};

} // namespace

Result<std::unique_ptr<Desktop>> Desktop::create(const Environment& env) {
    // Xwayland would accept our events and commands, but they would reach
    // none of the session's own windows.
    if (nonEmpty(env, "WAYLAND_DISPLAY") || env("XDG_SESSION_TYPE") == "wayland") {
        return Status::failure(kDesktopUnavailable, kNeedsX11Session);
    }
    const std::optional<std::string> name = nonEmpty(env, "DISPLAY");
    if (!name) {
        return Status::failure(kDesktopUnavailable,
                               "no X display: " + std::string(kNeedsX11Session));
    }
    Display* display = XOpenDisplay(name->c_str());
    if (display == nullptr) {
        return Status::failure(kDesktopUnavailable, "cannot open the X display " + *name);
    }
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        XCloseDisplay(display);
        return Status::failure(kDesktopUnavailable, "the X server lacks the XTest extension");
    }
    XSetErrorHandler(ignoreXError);
    return std::unique_ptr<Desktop>(std::make_unique<X11Desktop>(display));
}

} // namespace kelvo
