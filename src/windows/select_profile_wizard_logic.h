#pragma once

#include "windows/profile_wizard_services.h"
#include "windows/select_profile_wizard_view.h"

namespace kelvo {

/// The fixed texts of the select-profile wizard.
namespace select_profile_text {
inline constexpr const char* kCaption = "Select a Different Profile";
inline constexpr const char* kListLabel = "Select  a profile from this list:";
inline constexpr const char* kCreateInstead = "Want to create a new profile instead?  Then ";
inline constexpr const char* kCreateLink = "Click Here!";
inline constexpr const char* kDefaultQuestion =
    "Do you want kelvo to use your new recognition profile each time you turn kelvo on?  This "
    "will change the above setting.";
inline constexpr const char* kTrainQuestion = "Do you want to TRAIN the selected profile now?";
inline constexpr const char* kCurrentHeading =
    "Currently, kelvo is listening to you using this profile:";
inline constexpr const char* kDefaultHeading =
    "Currently, each time kelvo starts, it will listen to you using this profile:";
inline constexpr const char* kYes = "YES";
} // namespace select_profile_text

/// The select-profile wizard (frmSelectProfile): pick a profile, optionally
/// make it the default and train it, then the engine listens with it.
class SelectProfileWizardLogic {
public:
    SelectProfileWizardLogic(SelectProfileWizardView& view, const ProfileWizardServices& services);

    /// Fills the window as it opens; reads and clears `profileDialogMode`.
    void formLoad();
    /// The window is shown again after it handed over and hid, or asked for
    /// again while open: it starts over as a new window would, at its first
    /// step with a fresh list; not while a profile action runs.
    void startOver();
    /// `cmdSelectProfile`: Next, Next, then "Select Profile".
    void buttonClicked();
    /// `Label6` toggles `ckDefault`.
    void defaultLabelClicked();
    /// `lblCreate`: this window hides, the create wizard shows.
    void createClicked();
    /// The window closes: the main window shows again.
    void formUnload();

    int step() const { return m_step; }
    /// False while a profile action runs: its screens are open, and the
    /// window must stay until they return.
    bool mayClose() const { return !m_busy; }

private:
    void showFrames(std::initializer_list<SelectProfileFrame> shown);

    SelectProfileWizardView& m_view;
    ProfileWizardServices m_s;
    int m_step = 0;
    bool m_busy = false;
};

/// The profile name of a "MissingDefault - " mode: everything after its
/// first "-", trimmed, so a name that holds " - " itself stays whole.
std::string missingProfileName(const std::string& mode);

} // namespace kelvo
