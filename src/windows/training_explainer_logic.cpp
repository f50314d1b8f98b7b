#include "windows/training_explainer_logic.h"

namespace kelvo {

using Link = TrainingExplainerView::Link;

void TrainingExplainerLogic::open() {
    m_view.setCaption(kCaption);
    m_view.setSections({
        {"Recognition Profiles", ""},
        {"What Is a 'Recognition Profile' and 'Training'?",
         "A \"Recognition Profile\" is, more or less, a recorded sample of you speaking to your "
         "PC, to which you give a unique name. The larger the sample, the better kelvo knows "
         "how you sound, and the fewer of your commands it mishears.\n\n"
         "Each person who uses kelvo should create a profile of their own: a profile trained on "
         "one voice serves another voice poorly. To see which profile kelvo is using, choose "
         "'Show My Current Recognition Profile' in the \"Training and Recognition Profiles\" "
         "menu.\n\n"
         "Creating a profile takes you through configuring your microphone and then training "
         "the profile by reading short book excerpts aloud."},
        {"Training",
         "Each book excerpt that you read is considered a separate training session.  For best "
         "performance of kelvo we recommend that Windows XP users complete three (3) training "
         "sessions, or book excerpts. We recommend that Windows Vista users complete at least "
         "one (1) training session. \n\n"
         "You can always perform additional training sessions for any profile you have "
         "created.  In particular, if the quality of speech recognition needs improvement, you "
         "should perform one or more additional training sessions."},
        {"Where Do I Go From Here?",
         "To change the profile kelvo is now using, train an existing profile, or create a new "
         "profile for yourself or someone else, click the appropriate button below. "},
    });
    m_view.setLink(Link::ConfigureMic, "Click Here ...", "to configure  your microphone");
    m_view.setLink(Link::SelectProfile, "Click Here ...",
                   "to select a recognition profile to use with kelvo");
    m_view.setLink(Link::TrainProfile, "Click Here ...", "to train a recognition profile");
    m_view.setLink(Link::CreateProfile, "Click Here ...", "to create a new recognition profile");
    m_view.setHelpImage(1);
}

void TrainingExplainerLogic::clickLink(Link link) {
    switch (link) {
    case Link::ConfigureMic:
        m_view.hideWindow();
        m_services.configureMicrophone();
        return;
    case Link::SelectProfile:
        m_services.speech.profileDialogMode = "Select";
        m_services.windows.showWindow(kSelectProfileWindowName);
        // Read as the wizard showed; left set, the next plain wizard would
        // take it as its own.
        m_services.speech.profileDialogMode.clear();
        break;
    case Link::TrainProfile:
        m_services.windows.showWindow(kTrainProfileWindowName);
        break;
    case Link::CreateProfile:
        m_services.windows.showWindow(kCreateProfileWindowName);
        break;
    }
    m_view.hideWindow();
}

void TrainingExplainerLogic::clickHelp() {
    m_services.openHelpTopic("training.html");
}

void TrainingExplainerLogic::pointerOverHelp() {
    if (!m_hover) {
        m_hover = true;
        m_view.setHelpImage(2);
    }
}

void TrainingExplainerLogic::pointerOverBackdrop() {
    if (m_hover) {
        m_hover = false;
        m_view.setHelpImage(1);
    }
}

void TrainingExplainerLogic::closed() {
    m_services.windows.showWindow(kMainWindowName);
}

} // namespace kelvo
