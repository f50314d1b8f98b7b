#pragma once

#include "platform/speech/speech_engine.h"
#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "speech/engine_controller.h"
#include "speech/feedback_port.h"
#include "speech/grammar_switching.h"
#include "speech/speech_state.h"
#include "speech/training_screens.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// The actions of profileTraining.
namespace profile_action {
inline constexpr const char* kCreateProfile = "CreateProfile";
inline constexpr const char* kChangeProfile = "ChangeProfile";
inline constexpr const char* kTrainProfile = "TrainProfile";
} // namespace profile_action

/// The longest profile name the user may type; the engine suffix comes on
/// top.
inline constexpr std::size_t kLongestProfileName = 64;

/// What a created profile's name gets appended for the engine in use, so
/// one person can keep a profile per engine: " - e0" for an engine the
/// table does not know.
std::string engineSuffix(std::string_view engineDescription);

/// Why a typed profile name cannot be used (the notice to show), or empty
/// when it can: empty or blank, too long, or holding a path separator or a
/// control character.
std::string profileNameProblem(std::string_view name);

/// The wizards' check boxes the profile actions read.
struct ProfileChoices {
    /// Use the profile each time the program starts (`ckDefault`).
    bool makeDefault = false;
    /// Train the selected profile now (`ckTrain` of the select wizard).
    bool train = false;
};

/// The profile calls the wizards make.
class VoiceProfilePort {
public:
    virtual ~VoiceProfilePort() = default;

    /// Runs "CreateProfile", "ChangeProfile" or "TrainProfile" for the name;
    /// "CreateProfile" appends the engine suffix to name. Ok only when the
    /// engine listens again on that profile. Every failure has been shown
    /// to the user; the engine then runs on the profile it had.
    virtual Status profileTraining(std::string_view action, std::string& name,
                                   const ProfileChoices& choices) = 0;

    /// The names of every profile, in the store's order.
    virtual std::vector<std::string> getProfileList() = 0;

    /// For "currentprofile" the name of the profile in use; else empty.
    virtual std::string getProfile(std::string_view what) = 0;

    /// Loads the sleep grammar when asleep, else the normal one; does
    /// nothing while the engine does not run.
    virtual void loadListeningGrammar() = 0;
};

/// What the profile actions work with.
struct VoiceProfileServices {
    speech::SpeechPlatform& platform;
    EngineController& engine;
    GrammarSwitcher& grammars;
    SpeechState& state;
    MessageBoxes& boxes;
    SettingsFile& settings;
    FeedbackPort& feedback;
    TrainingScreens& screens;
    /// Where vista.txt, the passages a new profile is trained with, is.
    std::filesystem::path dataFolder;
};

/// Creates voice profiles, switches the engine to another one and runs the
/// training screens for a profile.
class VoiceProfiles final : public VoiceProfilePort {
public:
    explicit VoiceProfiles(const VoiceProfileServices& services) : m_s(services) {}

    Status profileTraining(std::string_view action, std::string& name,
                           const ProfileChoices& choices) override;
    std::vector<std::string> getProfileList() override;
    std::string getProfile(std::string_view what) override;
    void loadListeningGrammar() override;

    /// The profile whose name equals name exactly, or nothing.
    std::optional<speech::SpeechToken> getProfileRef(const std::string& name);

private:
    Status createProfile(std::string& name, const ProfileChoices& choices);
    Status changeProfile(const std::string& name, const ProfileChoices& choices, bool train);
    Result<std::vector<speech::SpeechToken>> profiles(std::string* engineDescription = nullptr);
    std::optional<speech::SpeechToken> currentProfile();
    /// Restarts the engine on the profile; when the profile itself is
    /// refused, on the previous one again.
    Status restartOn(const speech::SpeechToken& profile,
                     const std::optional<speech::SpeechToken>& previous);
    Status startOn(const speech::SpeechToken& profile, bool& profileRefused);
    void trainingFrame(const speech::SpeechToken& profile, bool screens,
                       const std::string& passages);
    void writeDefault(const std::string& name);

    VoiceProfileServices m_s;
};

} // namespace kelvo
