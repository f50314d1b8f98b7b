#pragma once

#include "windows/create_profile_wizard_view.h"
#include "windows/profile_wizard_services.h"

namespace kelvo {

/// The fixed texts of the create-profile wizard.
namespace create_profile_text {
inline constexpr const char* kCaption = "kelvo - Create A Recognition Profile";
inline constexpr const char* kFirstRunTitle = "Initial Setup Of kelvo";
inline constexpr const char* kTitle = "Create A Recognition Profile";
inline constexpr const char* kIntroduction[] = {
    "Welcome to kelvo.  Before starting kelvo, you'll have to create and train a recognition "
    "profile.",
    "A recognition profile is a digital file that kelvo uses to better understand how you speak "
    "and what you say.",
    "There are two steps to creating your profile: (1) configuring your microphone and (2) "
    "training your new recognition profile.",
    "Click the 'Next' button to continue.",
};
inline constexpr const char* kNameHeading = "Step 1 - Name Your New Profile";
inline constexpr const char* kNameHelp =
    "To begin creating your recognition profile please type what you want to call your new "
    "profile (your name, nickname, other) into the box below.";
inline constexpr const char* kNameNext = "Click the next button to continue...";
inline constexpr const char* kConfigureHeading = "Step 2 - Configure Your New Profile";
inline constexpr const char* kConfigureQuestion =
    "Do you want kelvo to use your new recognition profile each time you turn kelvo on?";
inline constexpr const char* kDefaultLabel = "YES";
inline constexpr const char* kConfigureNext =
    "Click the 'Create Profile' button to create and use your new profile...";
} // namespace create_profile_text

/// The create-profile wizard (frmCreateProfile), also the first-run wizard:
/// introduction, name, whether to make it the default, then the profile is
/// created and trained. Closing it ends the first run.
class CreateProfileWizardLogic {
public:
    CreateProfileWizardLogic(CreateProfileWizardView& view, const ProfileWizardServices& services);

    /// Fills the window as it opens; reads and clears `profileDialogMode`.
    void formLoad();
    /// The window is asked for again while open: it starts over as a new
    /// window would, name and choice emptied; not while a profile action runs.
    void startOver();
    /// `cmdCreateProfile`: Next, Next, then "Create Profile".
    void buttonClicked();
    /// The window closes: a first run is over ("10" in `Ohio` `First`, the
    /// listening grammar back) and the main window shows again.
    void formUnload();
    /// `Label15` toggles `ckDefault`.
    void defaultLabelClicked();
    /// `pctHelp` opens the training help.
    void helpClicked();
    /// The pointer moves over `pctHelp` or over the backdrop around it.
    void helpHovered();
    void backdropHovered();

    int step() const { return m_step; }
    /// False while a profile action runs: its screens are open, and the
    /// window must stay until they return.
    bool mayClose() const { return !m_busy; }

private:
    void showStep(CreateProfileFrame frame, int title);
    template <typename F> void trapped(const char* location, F&& body);

    CreateProfileWizardView& m_view;
    ProfileWizardServices m_s;
    int m_step = 0;
    bool m_hover = false;
    bool m_unloaded = false;
    bool m_busy = false;
};

} // namespace kelvo
