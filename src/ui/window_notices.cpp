#include "ui/window_notices.h"

#include "ui/conflicts_notice_window.h"
#include "ui/upgrade_notice_window.h"

namespace kelvo {

void WindowNotices::showConflictsNotice(const std::string& message) {
    if (auto* notice =
            dynamic_cast<ConflictsNoticeWindow*>(m_windows.load(ConflictsNoticeWindow::kName))) {
        notice->logic().showModal(message);
    }
}

void WindowNotices::showUpgradeNotice(const std::string& message, const std::string& link) {
    if (auto* notice =
            dynamic_cast<UpgradeNoticeWindow*>(m_windows.load(UpgradeNoticeWindow::kName))) {
        notice->logic().showModal(message, link);
    }
}

} // namespace kelvo
