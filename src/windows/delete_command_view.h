#pragma once

#include "windows/dialog_view.h"

#include <string>

namespace kelvo {

/// The delete confirmation frmDeleteCommand as its logic sees it.
class DeleteCommandView : public DialogView {
public:
    /// The question (Label1).
    virtual void setQuestion(const std::string& question) = 0;
};

} // namespace kelvo
