#include "speech/desktop_actions.h"

#include "speech/dispatch_state.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace kelvo {

namespace {

// The logical button a code means for this user: the code of the user's
// primary button is the primary click, the other of left and right the
// secondary one.
std::optional<PointerButton> logicalButton(int code, int handedness) {
    if (code == 4) {
        return PointerButton::Middle;
    }
    if (code != 1 && code != 2) {
        return std::nullopt;
    }
    const int primary = handedness == kLeftHanded ? 2 : 1;
    return code == primary ? PointerButton::Primary : PointerButton::Secondary;
}

std::string pathVariable() {
    const char* path = std::getenv("PATH");
    return path == nullptr ? "" : path;
}

} // namespace

std::string missingProgramMessage(const std::string& displayName) {
    return "Unable to find " + displayName + " on your computer";
}

std::string webChatProgramPart(const std::string& commandLine) {
    const auto words = splitCommandLine(commandLine);
    return words.empty() ? "" : words.front();
}

DesktopActions::DesktopActions(Desktop& desktop, const int& mouseHandedness, MessageBoxes& boxes,
                               DispatchHost& host, const DesktopPrograms& programs)
    : m_desktop(desktop), m_handedness(mouseHandedness), m_boxes(boxes), m_host(host),
      m_programs(programs) {}

bool DesktopActions::pressLogical(int button, bool down) {
    const auto logical = logicalButton(button, m_handedness);
    if (!logical) {
        return true;
    }
    const Status status = m_desktop.pressButton(*logical, down);
    if (!status.ok()) {
        reportUnavailable(status);
        return false;
    }
    return true;
}

void DesktopActions::reportUnavailable(const Status& status) {
    // A desktop that cannot be driven stays so: the user is told once, and
    // each later try only goes to the log.
    if (status.number() == kDesktopUnavailable) {
        if (m_unavailableSaid) {
            std::fprintf(stderr, "kelvo: %s\n", status.message().c_str());
            return;
        }
        m_unavailableSaid = true;
    }
    m_boxes.showNotice("Mouse and window commands are unavailable", status.message(), 1, false);
}

void DesktopActions::mouseButtonDown(int button) {
    pressLogical(button, true);
}

void DesktopActions::mouseButtonUp(int button) {
    pressLogical(button, false);
}

void DesktopActions::mouseClick(int button) {
    if (pressLogical(button, true)) {
        pressLogical(button, false);
    }
}

void DesktopActions::mouseDoubleClick(int button) {
    for (int i = 0; i < 2; ++i) {
        if (!pressLogical(button, true) || !pressLogical(button, false)) {
            return;
        }
    }
}

bool DesktopActions::lookForApp(const std::string& path, const std::string& name) {
    std::error_code error;
    if (!path.empty() && std::filesystem::is_regular_file(path, error)) {
        return true;
    }
    m_boxes.custMsgBox(kMissingProgramTitle, "ok", missingProgramMessage(name), false);
    return false;
}

bool DesktopActions::lookForWebChat(const std::string& commandLine, const std::string& name) {
    const std::string program = webChatProgramPart(commandLine);
    const std::string found = findProgram(program, pathVariable());
    return lookForApp(found.empty() ? program : found, name);
}

std::string DesktopActions::getWindowName_Active() {
    const auto window = m_desktop.activeWindow();
    if (!window.ok() || *window == 0) {
        return {};
    }
    return m_desktop.windowTitle(*window);
}

bool DesktopActions::foregroundWindow(WindowHandle& window, bool& isTaskbar) {
    const auto active = m_desktop.activeWindow();
    if (!active.ok()) {
        reportUnavailable(active.error());
        return false;
    }
    window = *active;
    isTaskbar = m_desktop.isDesktopOrDock(window);
    return true;
}

void DesktopActions::closeWindow(WindowHandle window) {
    const Status status = m_desktop.closeWindow(window);
    if (!status.ok()) {
        reportUnavailable(status);
    }
}

void DesktopActions::restoreForegroundWindow() {
    const auto active = m_desktop.activeWindow();
    if (!active.ok()) {
        reportUnavailable(active.error());
        return;
    }
    if (*active == 0) {
        return;
    }
    const Status status = m_desktop.restoreWindow(*active);
    if (!status.ok()) {
        reportUnavailable(status);
    }
}

void DesktopActions::startDesktopProgram(DesktopProgram program) {
    const ProgramLaunch launch = m_programs.resolve(program);
    if (launch.superKey) {
        const Status status = m_desktop.tapKey("Super_L");
        if (!status.ok()) {
            reportUnavailable(status);
        }
        return;
    }
    if (launch.arguments.empty()) {
        m_boxes.custMsgBox(kMissingProgramTitle, "ok", missingProgramMessage(launch.displayName),
                           false);
        return;
    }
    // Like the platform's own start, the result is not the user's concern
    // beyond the program being there.
    const Status started = m_host.startProgram(launch.arguments);
    if (!started.ok()) {
        m_boxes.custMsgBox(kMissingProgramTitle, "ok", missingProgramMessage(launch.displayName),
                           false);
    }
}

} // namespace kelvo
