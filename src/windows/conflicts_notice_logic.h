#pragma once

#include "windows/conflicts_notice_view.h"

#include <string>

namespace kelvo {

/// How long the conflicts notice stays open.
inline constexpr int kConflictsNoticeMs = 15000;

/// The notice frmVcConflicts that lists the custom commands an update
/// renamed.
class ConflictsNoticeLogic {
public:
    explicit ConflictsNoticeLogic(ConflictsNoticeView& view) : m_view(view) {}

    /// Shows the message modally; returns once the notice closed, and
    /// nothing of this object may be used after it.
    void showModal(const std::string& message);
    /// Timer1, or the window's close button.
    void timerFired();

private:
    ConflictsNoticeView& m_view;
};

} // namespace kelvo
