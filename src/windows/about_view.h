#pragma once

#include "windows/dialog_view.h"

#include <string>

namespace kelvo {

/// The About box frmAbout as its logic sees it.
class AboutView : public DialogView {
public:
    /// The read-only text txtLegal.
    virtual void setLegalText(const std::string& text) = 0;
    /// The "System Info..." button.
    virtual void setSystemInfoEnabled(bool enabled) = 0;
};

} // namespace kelvo
