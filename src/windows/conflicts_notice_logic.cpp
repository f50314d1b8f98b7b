#include "windows/conflicts_notice_logic.h"

namespace kelvo {

void ConflictsNoticeLogic::showModal(const std::string& message) {
    m_view.setCaption("Custom Commands Renamed");
    m_view.setMessage(message);
    m_view.armTimer(kConflictsNoticeMs);
    m_view.showWindow(true);
}

void ConflictsNoticeLogic::timerFired() {
    m_view.closeWindow();
}

} // namespace kelvo
