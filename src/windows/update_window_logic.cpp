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

void UpdateWindowLogic::failed() {
    m_view.setMessage("Update Failed - the update service could not be reached.  kelvo will try "
                      "again at the next close.");
}

void UpdateWindowLogic::close() {
    if (m_open) {
        m_open = false;
        m_view.closeWindow();
    }
}

} // namespace kelvo
