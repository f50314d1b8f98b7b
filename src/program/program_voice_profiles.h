#pragma once

#include "services/message_boxes.h"
#include "speech/voice_profiles.h"

#include <functional>

namespace kelvo {

/// The profile windows' calls, carried out by the speech side once it is
/// made. Before that (or when it cannot be made) the list is empty and an
/// action says that the engine does not run.
class ProgramVoiceProfiles final : public VoiceProfilePort {
public:
    ProgramVoiceProfiles(std::function<VoiceProfilePort*()> live, MessageBoxes& boxes)
        : m_live(std::move(live)), m_boxes(boxes) {}

    Status profileTraining(std::string_view action, std::string& name,
                           const ProfileChoices& choices) override;
    std::vector<std::string> getProfileList() override;
    std::string getProfile(std::string_view what) override;
    void loadListeningGrammar() override;

private:
    std::function<VoiceProfilePort*()> m_live;
    MessageBoxes& m_boxes;
};

} // namespace kelvo
