#include "windows/create_profile_wizard_logic.h"

#include "services/windows_1252.h"

#include <exception>

namespace kelvo {

namespace {

constexpr int kStepDone = 3;

// The first character of name that the one-byte set the default profile is
// stored in has no byte for; empty when every one fits.
std::string characterTheSettingsCannotHold(const std::string& name) {
    for (size_t at = 0; at < name.size();) {
        const auto lead = static_cast<unsigned char>(name[at]);
        const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const std::string character = name.substr(at, length);
        if (windows1252ToUtf8(utf8ToWindows1252(character)) != character)
            return character;
        at += length;
    }
    return {};
}

} // namespace

CreateProfileWizardLogic::CreateProfileWizardLogic(CreateProfileWizardView& view,
                                                   const ProfileWizardServices& services)
    : m_view(view), m_s(services) {}

template <typename F> void CreateProfileWizardLogic::trapped(const char* location, F&& body) {
    try {
        body();
    } catch (const std::exception& error) {
        m_s.boxes.reportError(error_number::kInvalidCall, error.what(), location);
    }
}

void CreateProfileWizardLogic::showStep(CreateProfileFrame frame, int title) {
    for (auto each : {CreateProfileFrame::Introduction, CreateProfileFrame::Name,
                      CreateProfileFrame::Configure})
        m_view.setFrameVisible(each, each == frame);
    for (int each = 1; each <= 3; ++each)
        m_view.setStepTitleVisible(each, each == title);
}

void CreateProfileWizardLogic::formLoad() {
    trapped("FcpPloa", [this] {
        m_view.setHelpImage(1);
        m_step = 0;
        m_view.setTitle(m_s.speech.profileDialogMode == "FirstTime"
                            ? create_profile_text::kFirstRunTitle
                            : create_profile_text::kTitle);
        showStep(CreateProfileFrame::Introduction, 1);
        m_view.setButtonCaption("Next");
        m_s.speech.profileDialogMode.clear();
    });
}

void CreateProfileWizardLogic::startOver() {
    if (m_busy)
        return;
    m_view.setProfileName({});
    m_view.setMakeDefaultChecked(false);
    formLoad();
}

void CreateProfileWizardLogic::buttonClicked() {
    trapped("FcpPcl", [this] {
        switch (m_step) {
        case 0:
            showStep(CreateProfileFrame::Name, 2);
            m_view.setButtonCaption("Next");
            m_step = 1;
            break;
        case 1: {
            // The name is checked here, where it can still be typed again.
            const std::string problem = profileNameProblem(m_view.profileName());
            if (!problem.empty()) {
                profileNotice(m_s.boxes, problem);
                break;
            }
            // Stored as "?", the default profile would never be found again.
            if (const std::string character = characterTheSettingsCannotHold(m_view.profileName());
                !character.empty()) {
                m_s.boxes.custMsgBox(create_profile_text::kCaption, "ok",
                                     "A profile name can't hold \"" + character +
                                         "\" (only Western European letters and signs).  "
                                         "Please choose a different name.",
                                     true);
                break;
            }
            m_view.setButtonCaption("Create Profile");
            showStep(CreateProfileFrame::Configure, 3);
            m_step = 2;
            break;
        }
        case 2: {
            m_step = kStepDone;
            std::string name = m_view.profileName();
            m_busy = true;
            (void)m_s.profiles.profileTraining(profile_action::kCreateProfile, name,
                                               ProfileChoices{m_view.makeDefaultChecked(), false});
            m_busy = false;
            m_view.closeWindow();
            break;
        }
        default:
            break;
        }
    });
}

void CreateProfileWizardLogic::formUnload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    trapped("FcpPunl", [this] {
        if (m_s.settings.readIni("Ohio", "First", "abc", 3) == "x") {
            // Written before the grammar switch: a start after this one must
            // not be a first run again even if the switch fails.
            (void)m_s.settings.writeIni("Ohio", "First", "10");
            m_s.profiles.loadListeningGrammar();
        }
        showMainWindowAgain(m_s.windows);
    });
}

void CreateProfileWizardLogic::defaultLabelClicked() {
    m_view.setMakeDefaultChecked(!m_view.makeDefaultChecked());
}

void CreateProfileWizardLogic::helpClicked() {
    if (m_s.openHelpTopic)
        m_s.openHelpTopic("training.html");
}

void CreateProfileWizardLogic::helpHovered() {
    if (!m_hover) {
        m_view.setHelpImage(2);
        m_hover = true;
    }
}

void CreateProfileWizardLogic::backdropHovered() {
    if (m_hover) {
        m_view.setHelpImage(1);
        m_hover = false;
    }
}

} // namespace kelvo
