#include "windows/update_window_logic.h"

namespace kelvo {

void UpdateWindowLogic::connecting() {
    m_view.showWindow();
    m_open = true;
    m_view.setMessage("Connecting....");
    m_view.setProgress(10);
}

void UpdateWindowLogic::checking() {
    m_view.setMessage("Checking For Updates");
}

void UpdateWindowLogic::downloading() {
    m_view.setMessage("Downloading Updates For kelvo.  Please Wait...");
    m_view.setProgress(20);
}

void UpdateWindowLogic::progress(int percent) {
    m_view.setProgress(percent);
}

void UpdateWindowLogic::complete() {
    m_view.setMessage("Update Complete");
    m_view.setProgress(100);
}

void UpdateWindowLogic::failed(UpdateFailure why) {
    const char* reason =
        why == UpdateFailure::Unreachable   ? "the update service could not be reached"
        : why == UpdateFailure::FileNotSent ? "the update service did not send every file"
                                            : "a new file could not be saved in the kelvo folder";
    m_view.setMessage(std::string("Update Failed - ") + reason +
                      ".  kelvo will try again at the next close.");
}

void UpdateWindowLogic::close() {
    if (m_open) {
        m_open = false;
        m_view.closeWindow();
    }
}

} // namespace kelvo
