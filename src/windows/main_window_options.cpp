#include "windows/autostart_entry.h"
#include "windows/chat_program_detection.h"
#include "windows/main_window_logic.h"

namespace kelvo {

void MainWindowLogic::showSplashClicked(bool checked) {
    m_settings.writeIni("Splash", "DisplayOnStart", checked ? "True" : "False");
}

void MainWindowLogic::showMainClicked(bool checked) {
    m_settings.writeIni("Main", "DisplayOnStart", checked ? "True" : "False");
}

void MainWindowLogic::autoStartClicked(bool checked) {
    Status status;
    if (checked) {
        m_settings.writeIni("Splash", "DisplayOnStart", "True");
        status = installAutostartEntry(m_paths.autostartFolder, m_paths.programPath);
    } else {
        status = removeAutostartEntry(m_paths.autostartFolder);
    }
    if (!status.ok()) {
        // The box must not claim a state the autostart folder does not have.
        m_view.setCheckBox(CheckBox::AutoStart, autostartEntryExists(m_paths.autostartFolder));
        m_boxes.custMsgBox("Start Automatically", "ok",
                           "Kelvo could not change its automatic start: " + status.message(),
                           false);
    }
}

void MainWindowLogic::showMouseHandedness() {
    m_swapMetric = m_pointer.swapButtonMetric();
    // A desktop that cannot tell counts as the usual right-handed layout.
    if (m_swapMetric == 1) {
        m_dispatch.mouseHandedness = kLeftHanded;
        m_view.setHandednessButton("Click Here For Right Handed Mouse",
                                   m_paths.programFolder / "Lefthanded.bmp");
    } else {
        m_dispatch.mouseHandedness = kRightHanded;
        m_view.setHandednessButton("Click Here For Left Handed Mouse",
                                   m_paths.programFolder / "Righthanded.bmp");
    }
}

void MainWindowLogic::applyNewSettingClicked() {
    m_swapMetric = m_pointer.swapButtonMetric();
    if (m_swapMetric != 0 && m_swapMetric != 1) {
        return;
    }
    const bool toLeftHanded = m_swapMetric == 0;
    if (Status status = m_pointer.setButtonsSwapped(toLeftHanded); !status.ok()) {
        m_boxes.custMsgBox("Mouse Buttons", "ok",
                           "Kelvo could not change the mouse buttons: " + status.message(), false);
        return;
    }
    if (toLeftHanded) {
        m_dispatch.mouseHandedness = kLeftHanded;
        m_view.setHandednessButton("Click Here For Right Handed Mouse",
                                   m_paths.programFolder / "Lefthanded.bmp");
    } else {
        m_settings.writeIni("Mouse", "LeftRightHand", "Right");
        m_dispatch.mouseHandedness = kRightHanded;
        m_view.setHandednessButton("Click Here For Left Handed Mouse",
                                   m_paths.programFolder / "Righthanded.bmp");
    }
}

void MainWindowLogic::chatProgramChosen(const std::string& name) {
    for (const ChatProgram& program : m_state.chatPrograms) {
        if (program.name == name) {
            m_settings.writeIni("Webcam", "Webcam", program.command);
            m_settings.writeIni("Webcam", "WebcamName", program.name);
            m_dispatch.sChatClient = program.command;
            m_dispatch.sChatClientName = program.name;
            m_view.setWebcamLabel("Opens the program: " + program.name);
            return;
        }
    }
}

void MainWindowLogic::addChatClicked() {
    const std::optional<std::filesystem::path> file = m_view.chooseProgramFile();
    if (!file || file->empty()) {
        return;
    }
    // The settings file drops surrounding quotes, so the path is kept as it
    // is; chatProgramArguments tells a path from a command line.
    const std::string command = file->string();
    const std::string title = file->filename().string();
    m_settings.writeIni("Webcam", "Webcam", command);
    m_settings.writeIni("Webcam", "WebcamName", title);
    m_dispatch.sChatClient = command;
    m_dispatch.sChatClientName = title;
    m_view.setWebcamLabel("Opens the program: " + title);
    // Kept with the detected ones so that choosing it again from the box
    // finds its command.
    for (const ChatProgram& program : m_state.chatPrograms) {
        if (program.name == title && program.command == command) {
            return;
        }
    }
    m_state.chatPrograms.push_back({title, command});
    m_view.addChatProgramItem(title);
}

void MainWindowLogic::hideClicked() {
    m_view.hideWindow();
}

void MainWindowLogic::openDialogClicked(std::string_view name) {
    if (!m_hooks.showWindow) {
        return;
    }
    m_view.hideWindow();
    m_hooks.showWindow(name);
}

} // namespace kelvo
