#include "windows/select_profile_wizard_logic.h"

#include "windows/profile_list_labels.h"

namespace kelvo {

namespace {

constexpr const char* kFirstInstructions =
    "If you want to use a different profile than the one displayed in the box below, go down the "
    "list below and click the profile you want to select, highlighting it.  Then click the "
    "'Next' button to continue to the next screen.";
constexpr const char* kDefaultInstructions =
    "On this screen you have the option to set the profile you are selecting to be used by kelvo "
    "every time you turn kelvo on.  Just click the check box so that it has a checkmark.  If you "
    "don't want to change this setting you can skip down and click the 'Next' button below to go "
    "to the next screen.";
constexpr const char* kTrainInstructions =
    "On this screen you have the option to direct kelvo to open the training wizard after it "
    "starts using the profile you have selected.  To do this, click the check box so that it has "
    "a checkmark.  Whether or not you want to train the profile you've selected, you click the "
    "'Select Profile' button to complete the selection process and close this screen.";
constexpr const char* kPleaseSelect =
    "Please select a different profile for kelvo to automatically use when it starts";

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::string missingProfileName(const std::string& mode) {
    const auto dash = mode.find('-');
    return dash == std::string::npos ? std::string() : trimmed(mode.substr(dash + 1));
}

SelectProfileWizardLogic::SelectProfileWizardLogic(SelectProfileWizardView& view,
                                                   const ProfileWizardServices& services)
    : m_view(view), m_s(services) {}

void SelectProfileWizardLogic::showFrames(std::initializer_list<SelectProfileFrame> shown) {
    for (auto frame :
         {SelectProfileFrame::List, SelectProfileFrame::MakeDefault, SelectProfileFrame::Train,
          SelectProfileFrame::CurrentProfile, SelectProfileFrame::DefaultProfile}) {
        bool visible = false;
        for (auto each : shown)
            visible = visible || each == frame;
        m_view.setFrameVisible(frame, visible);
    }
}

void SelectProfileWizardLogic::formLoad() {
    m_step = 0;
    m_view.setCaption(select_profile_text::kCaption);
    m_view.setTitle("Step 1 - Select A Profile");
    m_view.setInstructions(kFirstInstructions);
    const std::string mode = m_s.speech.profileDialogMode;
    if (mode == "Select") {
        m_view.setCaption(m_view.caption() + " - Change Settings");
        m_view.setTitle("Step 1 - Select A Profile / Change Settings");
    }
    if (mode.find("MissingDefault") != std::string::npos) {
        const std::string name = missingProfileName(mode);
        m_view.setCaption(m_view.caption() + " - Unable To Find Profile '" + name + "'");
        m_view.setTitle("Step 1 - Select A Profile");
        m_view.setInstructions("kelvo couldn't find the profile '" + name + "'.  " + kPleaseSelect);
        profileNotice(m_s.boxes, "kelvo couldn't find the profile '" + name + "'.", kPleaseSelect);
    }
    m_view.setButtonCaption("Next");
    showFrames({SelectProfileFrame::List, SelectProfileFrame::CurrentProfile});
    m_s.speech.profileDialogMode.clear();
    fillProfileList(m_view, m_s);
}

void SelectProfileWizardLogic::startOver() {
    if (m_busy)
        return;
    m_view.setMakeDefaultChecked(false);
    m_view.setTrainChecked(false);
    formLoad();
}

void SelectProfileWizardLogic::buttonClicked() {
    switch (m_step) {
    case 0:
        if (m_view.selectedProfile().empty()) {
            profileNotice(m_s.boxes, "You must select a profile");
            return;
        }
        m_step = 1;
        m_view.setInstructions(kDefaultInstructions);
        m_view.setTitle("Step 2 (optional) - Make The Selected Profile The Default Profile");
        showFrames({SelectProfileFrame::MakeDefault, SelectProfileFrame::DefaultProfile});
        m_view.setButtonCaption("Next");
        return;
    case 1:
        showFrames({SelectProfileFrame::Train});
        m_view.setInstructions(kTrainInstructions);
        m_view.setTitle("Step 3 (optional) - Train The Selected Profile");
        m_view.setButtonCaption("Select Profile");
        m_step = 2;
        return;
    case 2: {
        m_step = 0;
        std::string name = m_view.selectedProfile();
        m_busy = true;
        const bool switched =
            m_s.profiles
                .profileTraining(profile_action::kChangeProfile, name,
                                 ProfileChoices{m_view.makeDefaultChecked(), m_view.trainChecked()})
                .ok();
        m_busy = false;
        // A switch that did not happen has been reported; saying it did
        // would be wrong.
        if (switched)
            showSwitchedNotice(m_s, name, false);
        m_view.closeWindow();
        return;
    }
    default:
        return;
    }
}

void SelectProfileWizardLogic::defaultLabelClicked() {
    m_view.setMakeDefaultChecked(!m_view.makeDefaultChecked());
}

void SelectProfileWizardLogic::createClicked() {
    m_s.windows.hideWindow(kSelectProfileWindowName);
    m_s.windows.showWindow(kCreateProfileWindowName);
}

void SelectProfileWizardLogic::formUnload() {
    m_step = 0;
    showMainWindowAgain(m_s.windows);
}

} // namespace kelvo
