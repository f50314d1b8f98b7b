#pragma once

#include <string>

namespace kelvo {

/// The three step frames of the create-profile wizard.
enum class CreateProfileFrame {
    Introduction, // fm0
    Name,         // fm1
    Configure,    // fm2
};

/// The create-profile wizard as its logic sees it. Calls never fail.
class CreateProfileWizardView {
public:
    virtual ~CreateProfileWizardView() = default;

    /// The big title above the steps (`lblTitle`).
    virtual void setTitle(const std::string& text) = 0;
    /// Shows or hides one step frame.
    virtual void setFrameVisible(CreateProfileFrame frame, bool visible) = 0;
    /// Shows or hides the title picture of step 1 to 3 (`fmtitle1`..3).
    virtual void setStepTitleVisible(int step, bool visible) = 0;
    /// The caption of `cmdCreateProfile`.
    virtual void setButtonCaption(const std::string& text) = 0;
    /// The typed name (`txtProfileName`), as typed.
    virtual std::string profileName() const = 0;
    virtual void setProfileName(const std::string& name) = 0;
    /// `ckDefault`.
    virtual bool makeDefaultChecked() const = 0;
    virtual void setMakeDefaultChecked(bool checked) = 0;
    /// Image 1 (normal) or 2 (under the pointer) of the help picture.
    virtual void setHelpImage(int image) = 0;
    /// Closes the window; the logic's formUnload runs then.
    virtual void closeWindow() = 0;
};

} // namespace kelvo
