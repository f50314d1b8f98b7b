#include "program/program_voice_profiles.h"

namespace kelvo {

Status ProgramVoiceProfiles::profileTraining(std::string_view action, std::string& name,
                                             const ProfileChoices& choices) {
    if (VoiceProfilePort* live = m_live())
        return live->profileTraining(action, name, choices);
    constexpr const char* kNoEngine = "kelvo's speech engine is not running.";
    m_boxes.showNotice(kNoEngine, "No recognition profile was changed.", 4000, true);
    return Status::failure(91, kNoEngine);
}

std::vector<std::string> ProgramVoiceProfiles::getProfileList() {
    VoiceProfilePort* live = m_live();
    return live ? live->getProfileList() : std::vector<std::string>{};
}

std::string ProgramVoiceProfiles::getProfile(std::string_view what) {
    VoiceProfilePort* live = m_live();
    return live ? live->getProfile(what) : std::string();
}

void ProgramVoiceProfiles::loadListeningGrammar() {
    if (VoiceProfilePort* live = m_live())
        live->loadListeningGrammar();
}

} // namespace kelvo
