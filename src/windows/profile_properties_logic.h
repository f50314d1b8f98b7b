#pragma once

#include "windows/profile_properties_view.h"
#include "windows/profile_wizard_services.h"

namespace kelvo {

/// The fixed texts of the profile-properties window.
namespace profile_properties_text {
inline constexpr const char* kCaption = "What Is My Current Recognition Profile?";
inline constexpr const char* kTitle = "Show My Current Recognition Profile Settings";
inline constexpr const char* kDefaultHeading =
    "Currently, the profile below is set as your default profile.  Each time you run kelvo it "
    "will automatically use this profile to understand what your say.";
inline constexpr const char* kCurrentHeading =
    "Currently, kelvo is listening to you using this profile:";
inline constexpr const char* kWhereToChange =
    "To choose another profile, or to make another one the default, click the 'Change Settings' "
    "button.";
inline constexpr const char* kNotSet =
    "(Not Set - click the 'Change Settings' button to choose a profile)";
} // namespace profile_properties_text

/// The profile-properties window (frmProfileProperties): which profile is
/// the default and which is listening; "Change Settings" hands over to the
/// select-profile wizard.
class ProfilePropertiesLogic {
public:
    ProfilePropertiesLogic(ProfilePropertiesView& view, const ProfileWizardServices& services);

    void formLoad();
    /// `Command2` "Change Settings".
    void changeSettingsClicked();
    /// `Command1` "Close".
    void closeClicked();
    /// The window closes: the main window shows again unless the select
    /// wizard took over.
    void formUnload();

private:
    ProfilePropertiesView& m_view;
    ProfileWizardServices m_s;
    std::string m_handOver;
};

} // namespace kelvo
