#pragma once

#include "platform/desktop.h"
#include "services/message_boxes.h"
#include "speech/desktop_programs.h"
#include "speech/dispatch_host.h"

#include <string>

namespace kelvo {

/// Title and text of the box for a program that cannot be found.
inline constexpr const char* kMissingProgramTitle = "Can't Open Program";
std::string missingProgramMessage(const std::string& displayName);

/// The program part of a chat program's command line: its first word
/// (quotes removed).
std::string webChatProgramPart(const std::string& commandLine);

/// The mouse clicks, window commands and program starts of the built-in
/// phrases. Button codes: 1 left, 2 right, 4 middle, as physical buttons of
/// a right-handed mouse; with the user's handedness they become the primary
/// or secondary button, whatever the desktop's own mapping is.
class DesktopActions {
public:
    DesktopActions(Desktop& desktop, const int& mouseHandedness, MessageBoxes& boxes,
                   DispatchHost& host, const DesktopPrograms& programs);

    void mouseButtonDown(int button);
    void mouseButtonUp(int button);
    void mouseClick(int button);
    void mouseDoubleClick(int button);

    /// True when the program file exists; otherwise the missing-program box
    /// (modeless) and false.
    bool lookForApp(const std::string& path, const std::string& name);

    /// lookForApp for the program part of a command line; a bare program
    /// name is looked up on PATH.
    bool lookForWebChat(const std::string& commandLine, const std::string& name);

    /// The title of the window in front; empty for none.
    std::string getWindowName_Active();

    /// The window in front (0 for none) and whether it is the desktop or a
    /// panel; false when the desktop cannot be asked.
    bool foregroundWindow(WindowHandle& window, bool& isTaskbar);

    void closeWindow(WindowHandle window);
    void restoreForegroundWindow();

    /// Starts the desktop program of the settings' table, or shows the
    /// missing-program box.
    void startDesktopProgram(DesktopProgram program);

private:
    bool pressLogical(int button, bool down);
    void reportUnavailable(const Status& status);

    Desktop& m_desktop;
    const int& m_handedness;
    MessageBoxes& m_boxes;
    DispatchHost& m_host;
    const DesktopPrograms& m_programs;
    bool m_unavailableSaid = false;
};

} // namespace kelvo
