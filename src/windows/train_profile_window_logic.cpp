#include "windows/train_profile_window_logic.h"

#include "windows/profile_list_labels.h"

namespace kelvo {

TrainProfileWindowLogic::TrainProfileWindowLogic(TrainProfileWindowView& view,
                                                 const ProfileWizardServices& services)
    : m_view(view), m_s(services) {}

void TrainProfileWindowLogic::formLoad() {
    m_view.setCaption(train_profile_text::kCaption);
    m_view.setFrameVisible(TrainProfileFrame::List, true);
    m_view.setFrameVisible(TrainProfileFrame::CurrentProfile, true);
    m_view.setFrameVisible(TrainProfileFrame::DefaultProfile, false);
    m_view.setInstructions("Train a profile from the list below by clicking on the profile and "
                           "then clicking the 'Train Profile' button.");
    m_view.setTitle("Select A Profile To Train");
    m_view.setButtonCaption("Train Profile");
    fillProfileList(m_view, m_s);
}

void TrainProfileWindowLogic::buttonClicked() {
    std::string name = m_view.selectedProfile();
    if (name.empty()) {
        profileNotice(m_s.boxes, "You must select a profile to train");
        return;
    }
    m_busy = true;
    const bool switched =
        m_s.profiles.profileTraining(profile_action::kTrainProfile, name, {}).ok();
    m_busy = false;
    if (switched)
        showSwitchedNotice(m_s, name, true);
    m_view.closeWindow();
}

void TrainProfileWindowLogic::createClicked() {
    m_s.windows.hideWindow(kTrainProfileWindowName);
    m_s.windows.showWindow(kCreateProfileWindowName);
}

void TrainProfileWindowLogic::formUnload() {
    showMainWindowAgain(m_s.windows);
}

} // namespace kelvo
