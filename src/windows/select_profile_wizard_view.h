#pragma once

#include "windows/profile_list_view.h"

namespace kelvo {

/// The frames of the select-profile wizard.
enum class SelectProfileFrame {
    List,           // fmSelectProfile1
    MakeDefault,    // fmSelectProfile2
    Train,          // fmSelectProfile3
    CurrentProfile, // fmCurrent
    DefaultProfile, // fmDefault
};

/// The select-profile wizard as its logic sees it.
class SelectProfileWizardView : public virtual ProfileListView {
public:
    virtual void setFrameVisible(SelectProfileFrame frame, bool visible) = 0;
    /// `ckDefault` and `ckTrain`.
    virtual bool makeDefaultChecked() const = 0;
    virtual void setMakeDefaultChecked(bool checked) = 0;
    virtual bool trainChecked() const = 0;
    virtual void setTrainChecked(bool checked) = 0;
};

} // namespace kelvo
