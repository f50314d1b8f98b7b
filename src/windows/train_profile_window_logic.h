#pragma once

#include "windows/profile_wizard_services.h"
#include "windows/train_profile_window_view.h"

namespace kelvo {

/// The fixed texts of the train-profile window.
namespace train_profile_text {
inline constexpr const char* kCaption = "Train A Profile / Change My Settings";
inline constexpr const char* kListLabel = "Select  a profile from this list to train:";
} // namespace train_profile_text

/// The train-profile window (frmTrainProfile): pick a profile and train it;
/// the engine then listens with it.
class TrainProfileWindowLogic {
public:
    TrainProfileWindowLogic(TrainProfileWindowView& view, const ProfileWizardServices& services);

    void formLoad();
    /// The window is shown again after it handed over and hid, or asked for
    /// again while open: a fresh list; not while a profile action runs.
    void startOver() {
        if (!m_busy)
            formLoad();
    }
    /// `cmdTrainProfile`.
    void buttonClicked();
    /// `lblCreate2`: this window hides, the create wizard shows.
    void createClicked();
    /// The window closes: the main window shows again.
    void formUnload();
    /// False while a profile action runs: its screens are open, and the
    /// window must stay until they return.
    bool mayClose() const { return !m_busy; }

private:
    TrainProfileWindowView& m_view;
    ProfileWizardServices m_s;
    bool m_busy = false;
};

} // namespace kelvo
