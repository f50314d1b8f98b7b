#pragma once

#include "speech/voice_profiles.h"

#include <functional>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// Profile calls recorded as "CreateProfile Ann default", "ChangeProfile
/// Bob train", "listening grammar"; the list and current profile are set by
/// the test, and the actions succeed unless `fail` is set.
class FakeVoiceProfilePort : public VoiceProfilePort {
public:
    Status profileTraining(std::string_view action, std::string& name,
                           const ProfileChoices& choices) override {
        calls.push_back(std::string(action) + " " + name + (choices.makeDefault ? " default" : "") +
                        (choices.train ? " train" : ""));
        if (duringAction)
            duringAction();
        if (fail)
            return Status::failure(5, "refused");
        if (action == profile_action::kCreateProfile)
            name += " - e0";
        return {};
    }
    std::vector<std::string> getProfileList() override { return profiles; }
    std::string getProfile(std::string_view what) override {
        return what == "currentprofile" ? current : std::string();
    }
    void loadListeningGrammar() override { calls.push_back("listening grammar"); }

    std::vector<std::string> profiles;
    std::string current;
    bool fail = false;
    /// Runs inside an action, as a user's clicks do while its screens are open.
    std::function<void()> duringAction;
    std::vector<std::string> calls;
};

} // namespace kelvo::fakes
