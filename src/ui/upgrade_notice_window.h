#pragma once

#include "ui/dialog_window.h"
#include "windows/upgrade_notice_logic.h"

namespace kelvo {

class LinkLabel;

/// The new-version notice frmUpgrade. Behaviour lives in
/// UpgradeNoticeLogic.
class UpgradeNoticeWindow final : public DialogWindow<UpgradeNoticeView> {
public:
    /// Its name as a window and in the window registry.
    static constexpr const char* kName = "frmUpgrade";

    UpgradeNoticeWindow(AddressOpener& opener, MessageBoxes& boxes);

    UpgradeNoticeLogic& logic() { return m_logic; }

    void setMessage(const std::string& message) override;
    void setLinkText(const std::string& text) override;
    void setBusyPointer(bool busy) override;

protected:
    void timerFired() override { m_logic.timerFired(); }
    void closeRequested() override { m_logic.closeClicked(); }

private:
    QLabel* m_message = nullptr;
    LinkLabel* m_link = nullptr;
    bool m_busy = false;
    UpgradeNoticeLogic m_logic;
};

} // namespace kelvo
