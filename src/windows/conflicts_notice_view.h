#pragma once

#include "windows/dialog_view.h"

#include <string>

namespace kelvo {

/// The conflicts notice frmVcConflicts as its logic sees it.
class ConflictsNoticeView : public DialogView {
public:
    /// The message (lblMsg), plain text over several lines.
    virtual void setMessage(const std::string& message) = 0;
};

} // namespace kelvo
