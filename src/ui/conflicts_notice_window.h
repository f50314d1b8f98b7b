#pragma once

#include "ui/dialog_window.h"
#include "windows/conflicts_notice_logic.h"

namespace kelvo {

/// The conflicts notice frmVcConflicts. Behaviour lives in
/// ConflictsNoticeLogic.
class ConflictsNoticeWindow final : public DialogWindow<ConflictsNoticeView> {
public:
    /// Its name as a window and in the window registry.
    static constexpr const char* kName = "frmVcConflicts";

    ConflictsNoticeWindow();

    ConflictsNoticeLogic& logic() { return m_logic; }

    void setMessage(const std::string& message) override;

protected:
    void timerFired() override { m_logic.timerFired(); }
    void closeRequested() override { m_logic.timerFired(); }

private:
    QLabel* m_message = nullptr;
    ConflictsNoticeLogic m_logic;
};

} // namespace kelvo
