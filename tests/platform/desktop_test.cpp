#include "platform/desktop.h"

#include <gtest/gtest.h>

#include "fakes/fake_environment.h"
#include "platform/x11_session.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
// Xlib names its return code type with a macro that hides ours.
#undef Status

#include <cstring>
#include <vector>

namespace kelvo {
namespace {

using testing::waitFor;
using testing::X11Session;

class DesktopX11Test : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string problem = m_session.start();
        if (problem == "Xvfb is not installed") {
            GTEST_SKIP() << "Xvfb is not installed: the X11 desktop test needs it";
        }
        ASSERT_EQ(problem, "");
        auto desktop = Desktop::create();
        ASSERT_TRUE(desktop.ok()) << desktop.error().message();
        m_desktop = std::move(desktop).value();
        m_x = m_session.connection();
    }

    Atom atom(const char* name) { return XInternAtom(m_x, name, False); }

    Window openWindow(const char* title) {
        Window window =
            XCreateSimpleWindow(m_x, DefaultRootWindow(m_x), 100, 100, 300, 200, 0, 0, 0xffffff);
        XSelectInput(m_x, window, ButtonPressMask | ButtonReleaseMask | StructureNotifyMask);
        XStoreName(m_x, window, title);
        Atom deleteWindow = atom("WM_DELETE_WINDOW");
        XSetWMProtocols(m_x, window, &deleteWindow, 1);
        XWMHints hints{};
        hints.flags = InputHint;
        hints.input = True;
        XSetWMHints(m_x, window, &hints);
        XMapWindow(m_x, window);
        XSync(m_x, False);
        // A fresh window may not get the focus; ask as a pager would until
        // the window manager has taken the window in.
        waitFor([&] {
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = atom("_NET_ACTIVE_WINDOW");
            event.xclient.format = 32;
            event.xclient.data.l[0] = 2;
            XSendEvent(m_x, DefaultRootWindow(m_x), False,
                       SubstructureRedirectMask | SubstructureNotifyMask, &event);
            XFlush(m_x);
            return isActive(window);
        });
        return window;
    }

    bool isActive(Window window) {
        auto active = m_desktop->activeWindow();
        return active.ok() && *active == window;
    }

    // Events of the test's own windows, drained from its connection.
    std::vector<XEvent> takeEvents() {
        std::vector<XEvent> events;
        XSync(m_x, False);
        while (XPending(m_x) > 0) {
            XEvent event;
            XNextEvent(m_x, &event);
            events.push_back(event);
        }
        return events;
    }

    std::vector<unsigned int> pressedButtons() {
        std::vector<unsigned int> buttons;
        waitFor([&] {
            for (const XEvent& event : takeEvents()) {
                if (event.type == ButtonPress) {
                    buttons.push_back(event.xbutton.button);
                }
            }
            return !buttons.empty();
        });
        return buttons;
    }

    bool hasState(Window window, const char* state) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long rest = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(m_x, window, atom("_NET_WM_STATE"), 0, 64, False, XA_ATOM, &type,
                           &format, &count, &rest, &data);
        bool found = false;
        for (unsigned long i = 0; i < count; ++i) {
            found = found || reinterpret_cast<Atom*>(data)[i] == atom(state);
        }
        if (data != nullptr) {
            XFree(data);
        }
        return found;
    }

    void maximise(Window window) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = atom("_NET_WM_STATE");
        event.xclient.format = 32;
        event.xclient.data.l[0] = 1; // add
        event.xclient.data.l[1] = static_cast<long>(atom("_NET_WM_STATE_MAXIMIZED_VERT"));
        event.xclient.data.l[2] = static_cast<long>(atom("_NET_WM_STATE_MAXIMIZED_HORZ"));
        XSendEvent(m_x, DefaultRootWindow(m_x), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
        XFlush(m_x);
    }

    X11Session m_session;
    std::unique_ptr<Desktop> m_desktop;
    Display* m_x = nullptr;
};

TEST_F(DesktopX11Test, ClickArrivesInTheWindowUnderThePointerAsTheLogicalButton) {
    Window window = openWindow("Click target");
    ASSERT_TRUE(waitFor([&] { return isActive(window); }));
    XWarpPointer(m_x, None, window, 0, 0, 0, 0, 150, 100);
    XSync(m_x, False);
    takeEvents();

    ASSERT_TRUE(m_desktop->pressButton(PointerButton::Primary, true).ok());
    ASSERT_TRUE(m_desktop->pressButton(PointerButton::Primary, false).ok());
    EXPECT_EQ(pressedButtons(), std::vector<unsigned int>{1});

    ASSERT_TRUE(m_desktop->pressButton(PointerButton::Secondary, true).ok());
    ASSERT_TRUE(m_desktop->pressButton(PointerButton::Secondary, false).ok());
    EXPECT_EQ(pressedButtons(), std::vector<unsigned int>{3});

    // A left-handed user's swapped mapping: the secondary button must still
    // be the one that arrives as button 3.
    unsigned char swapped[3] = {3, 2, 1};
    ASSERT_EQ(XSetPointerMapping(m_x, swapped, 3), MappingSuccess);
    XSync(m_x, False);
    takeEvents();
    ASSERT_TRUE(m_desktop->pressButton(PointerButton::Secondary, true).ok());
    ASSERT_TRUE(m_desktop->pressButton(PointerButton::Secondary, false).ok());
    EXPECT_EQ(pressedButtons(), std::vector<unsigned int>{3});
    ASSERT_TRUE(m_desktop->pressButton(PointerButton::Primary, true).ok());
    ASSERT_TRUE(m_desktop->pressButton(PointerButton::Primary, false).ok());
    EXPECT_EQ(pressedButtons(), std::vector<unsigned int>{1});
}

TEST_F(DesktopX11Test, ActiveWindowTitleAndDockDetection) {
    Window window = openWindow("Notes \xE2\x80\x94 draft");
    ASSERT_TRUE(waitFor([&] { return isActive(window); }));
    EXPECT_EQ(m_desktop->windowTitle(window), "Notes \xE2\x80\x94 draft");
    EXPECT_FALSE(m_desktop->isDesktopOrDock(window));

    Window dock = XCreateSimpleWindow(m_x, DefaultRootWindow(m_x), 0, 0, 1024, 30, 0, 0, 0xcccccc);
    Atom dockType = atom("_NET_WM_WINDOW_TYPE_DOCK");
    XChangeProperty(m_x, dock, atom("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&dockType), 1);
    XSync(m_x, False);
    EXPECT_TRUE(m_desktop->isDesktopOrDock(dock));
    EXPECT_TRUE(m_desktop->isDesktopOrDock(0));
    EXPECT_EQ(m_desktop->windowTitle(0), "");
}

TEST_F(DesktopX11Test, RestoreUnmaximisesTheActiveWindow) {
    Window window = openWindow("Restore me");
    ASSERT_TRUE(waitFor([&] { return isActive(window); }));
    maximise(window);
    ASSERT_TRUE(waitFor([&] { return hasState(window, "_NET_WM_STATE_MAXIMIZED_VERT"); }));

    auto active = m_desktop->activeWindow();
    ASSERT_TRUE(active.ok());
    ASSERT_TRUE(m_desktop->restoreWindow(*active).ok());
    EXPECT_TRUE(waitFor([&] {
        return !hasState(window, "_NET_WM_STATE_MAXIMIZED_VERT") &&
               !hasState(window, "_NET_WM_STATE_MAXIMIZED_HORZ");
    }));
}

TEST_F(DesktopX11Test, CloseAsksTheActiveWindowToClose) {
    Window window = openWindow("Close me");
    ASSERT_TRUE(waitFor([&] { return isActive(window); }));
    takeEvents();

    auto active = m_desktop->activeWindow();
    ASSERT_TRUE(active.ok());
    ASSERT_TRUE(m_desktop->closeWindow(*active).ok());

    bool askedToClose = false;
    waitFor([&] {
        for (const XEvent& event : takeEvents()) {
            if (event.type == ClientMessage &&
                static_cast<Atom>(event.xclient.data.l[0]) == atom("WM_DELETE_WINDOW")) {
                askedToClose = true;
                // What every well-behaved program does on that request.
                XDestroyWindow(m_x, window);
            }
        }
        return askedToClose;
    });
    EXPECT_TRUE(askedToClose);
    XSync(m_x, False);
    EXPECT_TRUE(waitFor([&] { return !isActive(window); }));
}

TEST_F(DesktopX11Test, RaisesTheWindowOfAProcess) {
    const auto ownedBy = [this](Window window, unsigned long pid) {
        XChangeProperty(m_x, window, atom("_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&pid), 1);
        XSync(m_x, False);
    };
    Window player = openWindow("Player");
    ownedBy(player, 4242);
    Window other = openWindow("Other");
    ownedBy(other, 4243);
    ASSERT_TRUE(waitFor([&] { return isActive(other); }));

    ASSERT_TRUE(m_desktop->raiseWindowOf(4242).ok());
    EXPECT_TRUE(waitFor([&] { return isActive(player); }));
    EXPECT_FALSE(m_desktop->raiseWindowOf(4244).ok()) << "a process without a window";
}

TEST_F(DesktopX11Test, ActionsOnAVanishedWindowDoNotEndTheProgram) {
    Window window = openWindow("Short lived");
    XDestroyWindow(m_x, window);
    XSync(m_x, False);
    EXPECT_EQ(m_desktop->windowTitle(window), "");
    EXPECT_FALSE(m_desktop->isDesktopOrDock(window));
    EXPECT_TRUE(m_desktop->closeWindow(window).ok());
}

TEST_F(DesktopX11Test, TheWindowListGivesEachClientsClass) {
    const Window browser = openWindow("Browser");
    char instance[] = "Navigator";
    char className[] = "firefox-esr";
    XClassHint hint{instance, className};
    XSetClassHint(m_x, browser, &hint);
    openWindow("Untitled");
    XSync(m_x, False);
    std::vector<WindowClass> classes;
    EXPECT_TRUE(waitFor([&] {
        auto listed = m_desktop->clientWindowClasses();
        classes = listed.ok() ? *listed : std::vector<WindowClass>{};
        return classes.size() == 1;
    }));
    EXPECT_EQ(classes, (std::vector<WindowClass>{{"Navigator", "firefox-esr"}}));
}

TEST(UnavailableDesktop, EveryActionFailsWithTheReason) {
    auto desktop = makeUnavailableDesktop("no X display");
    const Status click = desktop->pressButton(PointerButton::Primary, true);
    EXPECT_FALSE(click.ok());
    EXPECT_EQ(click.message(), "no X display");
    EXPECT_FALSE(desktop->activeWindow().ok());
    EXPECT_FALSE(desktop->closeWindow(5).ok());
    EXPECT_FALSE(desktop->restoreWindow(5).ok());
    EXPECT_FALSE(desktop->tapKey("Super_L").ok());
}

TEST(DesktopCreate, AWaylandSessionSaysTheCommandsNeedX11) {
    for (const auto& wayland :
         {std::pair{"WAYLAND_DISPLAY", "wayland-0"}, std::pair{"XDG_SESSION_TYPE", "wayland"}}) {
        auto desktop = Desktop::create(
            fakes::environmentOf({{"DISPLAY", ":0"}, {wayland.first, wayland.second}}));
        ASSERT_FALSE(desktop.ok()) << wayland.first;
        EXPECT_EQ(desktop.error().number(), kDesktopUnavailable);
        EXPECT_EQ(desktop.error().message(), kNeedsX11Session);
    }
}

TEST(DesktopCreate, FailsClearlyWithoutADisplay) {
    const char* old = std::getenv("DISPLAY");
    const std::string saved = old == nullptr ? "" : old;
    unsetenv("DISPLAY");
    auto desktop = Desktop::create();
    EXPECT_FALSE(desktop.ok());
    EXPECT_NE(desktop.error().message().find("no X display"), std::string::npos);
    if (old != nullptr) {
        setenv("DISPLAY", saved.c_str(), 1);
    }
}

} // namespace
} // namespace kelvo
