#pragma once

// A private X server with a real window manager for desktop tests: Xvfb
// picks a free display, openbox manages it, and both end with the object.

#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kelvo::testing {

inline std::string findOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string rest = path == nullptr ? "" : path;
    while (!rest.empty()) {
        const auto colon = rest.find(':');
        const std::string dir = rest.substr(0, colon);
        rest = colon == std::string::npos ? "" : rest.substr(colon + 1);
        const std::filesystem::path candidate = std::filesystem::path(dir) / program;
        if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) {
            return candidate.string();
        }
    }
    return {};
}

/// Polls until the condition holds or the time is up.
inline bool waitFor(const std::function<bool()>& condition,
                    std::chrono::milliseconds limit = std::chrono::milliseconds(5000)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

class X11Session {
public:
    X11Session() = default;
    ~X11Session() { stop(); }
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    /// Empty when it started; otherwise why not.
    std::string start() {
        const std::string xvfb = findOnPath("Xvfb");
        if (xvfb.empty()) {
            return "Xvfb is not installed";
        }
        int fds[2];
        if (pipe(fds) != 0) {
            return "no pipe";
        }
        m_server = fork();
        if (m_server == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execl(xvfb.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
                  "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        close(fds[0]);
        if (number.empty()) {
            return "Xvfb did not start";
        }
        m_display = ":" + number;
        setenv("DISPLAY", m_display.c_str(), 1);
        // Its own X server is an X11 session, whatever session the tests
        // were started from.
        unsetenv("WAYLAND_DISPLAY");
        setenv("XDG_SESSION_TYPE", "x11", 1);
        const std::string wm = findOnPath("openbox");
        if (wm.empty()) {
            return "openbox is not installed";
        }
        m_wm = fork();
        if (m_wm == 0) {
            execl(wm.c_str(), "openbox", "--sm-disable", static_cast<char*>(nullptr));
            _exit(127);
        }
        m_connection = XOpenDisplay(m_display.c_str());
        if (m_connection == nullptr) {
            return "cannot connect to " + m_display;
        }
        const Atom check = XInternAtom(m_connection, "_NET_SUPPORTING_WM_CHECK", False);
        if (!waitFor([&] { return hasProperty(DefaultRootWindow(m_connection), check); })) {
            return "openbox did not take over the display";
        }
        return {};
    }

    Display* connection() const { return m_connection; }

    bool hasProperty(Window window, Atom name) const {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long rest = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(m_connection, window, name, 0, 1, False, AnyPropertyType, &type, &format,
                           &count, &rest, &data);
        if (data != nullptr) {
            XFree(data);
        }
        return type != None;
    }

private:
    void stop() {
        if (m_connection != nullptr) {
            XCloseDisplay(m_connection);
            m_connection = nullptr;
        }
        for (pid_t* pid : {&m_wm, &m_server}) {
            if (*pid > 0) {
                kill(*pid, SIGTERM);
                waitpid(*pid, nullptr, 0);
                *pid = -1;
            }
        }
    }

    pid_t m_server = -1;
    pid_t m_wm = -1;
    std::string m_display;
    Display* m_connection = nullptr;
};

} // namespace kelvo::testing
