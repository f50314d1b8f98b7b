#include "windows/profile_properties_logic.h"

namespace kelvo {

ProfilePropertiesLogic::ProfilePropertiesLogic(ProfilePropertiesView& view,
                                               const ProfileWizardServices& services)
    : m_view(view), m_s(services) {}

void ProfilePropertiesLogic::formLoad() {
    const std::string stored = storedDefaultProfile(m_s.settings);
    m_view.setDefaultProfileText(stored.empty() ? profile_properties_text::kNotSet : stored);
    std::string current = m_s.profiles.getProfile("currentprofile");
    m_view.setCurrentProfileText(current == "x" ? std::string() : current);
}

void ProfilePropertiesLogic::changeSettingsClicked() {
    m_s.speech.profileDialogMode = "Select";
    m_handOver = "Select";
    m_s.windows.showWindow(kSelectProfileWindowName);
    // Read as the wizard showed; left set, the next plain wizard would take
    // it as its own.
    m_s.speech.profileDialogMode.clear();
    m_view.closeWindow();
}

void ProfilePropertiesLogic::closeClicked() {
    m_view.closeWindow();
}

void ProfilePropertiesLogic::formUnload() {
    if (m_handOver != "Select")
        showMainWindowAgain(m_s.windows);
    m_handOver.clear();
}

} // namespace kelvo
