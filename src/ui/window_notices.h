#pragma once

#include "speech/conflicts_notice_port.h"
#include "ui/qt_window_registry.h"
#include "windows/upgrade_notice_port.h"

namespace kelvo {

/// The close-down's two notices, each in its registered window
/// ("frmVcConflicts", "frmUpgrade").
class WindowNotices final : public ConflictsNoticePort, public UpgradeNoticePort {
public:
    explicit WindowNotices(QtWindowRegistry& windows) : m_windows(windows) {}

    void showConflictsNotice(const std::string& message) override;
    void showUpgradeNotice(const std::string& message, const std::string& link) override;

private:
    QtWindowRegistry& m_windows;
};

} // namespace kelvo
