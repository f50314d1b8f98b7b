#pragma once

#include "windows/dialog_view.h"

#include <string>

namespace kelvo {

/// The new-version notice frmUpgrade as its logic sees it.
class UpgradeNoticeView : public DialogView {
public:
    /// The server's message (lblmessage), plain text.
    virtual void setMessage(const std::string& message) = 0;
    /// The link's text (lblLink).
    virtual void setLinkText(const std::string& text) = 0;
    /// The hourglass (true) or the normal pointer over the program.
    virtual void setBusyPointer(bool busy) = 0;
};

} // namespace kelvo
