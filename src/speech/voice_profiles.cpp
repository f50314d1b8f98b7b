#include "speech/voice_profiles.h"

#include "speech/training_commands.h"

#include "services/hex_coding.h"
#include "services/os_text_file.h"

#include <array>

namespace kelvo {

using speech::SpeechToken;

namespace {

struct EngineSuffix {
    std::string_view description;
    std::string_view suffix;
};

constexpr std::array<EngineSuffix, 5> kEngineSuffixes = {{
    {"Microsoft English Recognizer v5.1", " - e51"},
    {"Microsoft English (U.S.) v6.0 Recognizer", " - e60"},
    {"Microsoft English (U.S.) v6.1 Recognizer", " - e61"},
    {"Microsoft Speech Recognizer 8.0for Windows (English - US)", " - e8"},
    {"Microsoft Speech Recognizer 8.0 for Windows (English - US)", " - e8"},
}};

constexpr int kNoticeMs = 4000;
constexpr int kNoProfile = 5;

constexpr const char* kDuplicateName =
    "A recognition profile using that name already exists.  Please choose a different name.";
constexpr const char* kAsleepNotice = "When kelvo begins listening again it will use the profile:";
constexpr const char* kMicTitle = "kelvo configuration: Configure Your Microphone For Profile ";
constexpr const char* kTrainTitle = "kelvo training: Train The Profile ";

std::string inQuotes(const std::string& name) {
    return "'" + name + "'";
}

} // namespace

std::string engineSuffix(std::string_view engineDescription) {
    for (const auto& engine : kEngineSuffixes)
        if (engine.description == engineDescription)
            return std::string(engine.suffix);
    return " - e0";
}

std::string profileNameProblem(std::string_view name) {
    if (name.find_first_not_of(" \t") == std::string_view::npos)
        return "You must enter a name for your new recognition profile";
    if (name.size() > kLongestProfileName)
        return "A profile name can have at most " + std::to_string(kLongestProfileName) +
               " characters.  Please choose a shorter name.";
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7f || c == '/' || c == '\\')
            return "A profile name can't hold \"/\", \"\\\" or control characters.  Please "
                   "choose a different name.";
    }
    if (name == "." || name == "..")
        return "A profile name can't be \".\" or \"..\".  Please choose a different name.";
    return {};
}

Status VoiceProfiles::profileTraining(std::string_view action, std::string& name,
                                      const ProfileChoices& choices) {
    if (action == profile_action::kCreateProfile)
        return createProfile(name, choices);
    if (action == profile_action::kChangeProfile)
        return changeProfile(name, choices, choices.train);
    if (action == profile_action::kTrainProfile)
        return changeProfile(name, ProfileChoices{}, true);
    return Status::failure(error_number::kInvalidCall,
                           "Unknown profile action \"" + std::string(action) + "\"");
}

Result<std::vector<SpeechToken>> VoiceProfiles::profiles(std::string* engineDescription) {
    if (auto* recognizer = m_s.engine.objects().recognizer.get()) {
        if (engineDescription)
            *engineDescription = recognizer->recognizerToken().description;
        return recognizer->getProfiles();
    }
    // The engine is not running: a recognizer of its own answers.
    auto recognizer = m_s.platform.createRecognizer();
    if (!recognizer)
        return recognizer.error();
    if (engineDescription)
        *engineDescription = (*recognizer)->recognizerToken().description;
    return (*recognizer)->getProfiles();
}

std::vector<std::string> VoiceProfiles::getProfileList() {
    std::vector<std::string> names;
    auto all = profiles();
    if (!all) {
        m_s.boxes.reportError(all.error().number(), all.error().message(), "FmouPgpl");
        return names;
    }
    for (const auto& profile : *all)
        names.push_back(profile.description);
    return names;
}

std::string VoiceProfiles::getProfile(std::string_view what) {
    if (what != "currentprofile")
        return {};
    auto* recognizer = m_s.engine.objects().recognizer.get();
    if (recognizer == nullptr)
        return {};
    auto profile = recognizer->profile();
    return profile ? profile->description : std::string();
}

std::optional<SpeechToken> VoiceProfiles::getProfileRef(const std::string& name) {
    auto all = profiles();
    if (!all)
        return std::nullopt;
    for (const auto& profile : *all)
        if (profile.description == name)
            return profile;
    return std::nullopt;
}

void VoiceProfiles::loadListeningGrammar() {
    if (m_s.engine.objects().grammar == nullptr)
        return;
    (void)m_s.grammars.LoadDifferentGrammar(m_s.state.muted ? kSleepGrammarFile
                                                            : m_s.state.grammarFile);
}

void VoiceProfiles::writeDefault(const std::string& name) {
    (void)m_s.settings.writeIni("Parallax", "visual", stringToHex(name));
}

Status VoiceProfiles::createProfile(std::string& name, const ProfileChoices& choices) {
    if (std::string problem = profileNameProblem(name); !problem.empty()) {
        m_s.boxes.showNotice(problem, "", kNoticeMs, true);
        return Status::failure(error_number::kInvalidCall, problem);
    }
    std::string engine;
    auto existing = profiles(&engine);
    if (!existing) {
        m_s.boxes.reportError(existing.error().number(), existing.error().message(), "FmouPcp");
        return existing.error();
    }
    name += engineSuffix(engine);
    for (const auto& profile : *existing) {
        if (profile.description == name) {
            m_s.boxes.custMsgBox("title", "ok", kDuplicateName, false);
            return Status::failure(error_number::kInvalidCall, kDuplicateName);
        }
    }
    // Made while the engine still runs: a profile that cannot be made
    // leaves it listening as before.
    const auto previous = currentProfile();
    auto token = m_s.platform.createProfile(name);
    if (!token) {
        m_s.boxes.reportError(token.error().number(), token.error().message(), "FmouPcp");
        return token.error();
    }
    if (Status made = m_s.platform.setDefaultProfile(token->id); !made)
        m_s.boxes.reportError(made.number(), made.message(), "FmouPcp");
    if (choices.makeDefault)
        writeDefault(token->description);
    if (Status restarted = restartOn(*token, previous); !restarted)
        return restarted;
    auto passages = readOsTextFile("vista", m_s.dataFolder);
    trainingFrame(*token, true, passages ? *passages : std::string());
    m_s.boxes.showNotice(m_s.state.muted ? kAsleepNotice : "kelvo is now using your new profile:",
                         inQuotes(name), kNoticeMs, true);
    return {};
}

Status VoiceProfiles::changeProfile(const std::string& name, const ProfileChoices& choices,
                                    bool train) {
    // Looked up before the engine stops: a profile gone meanwhile must not
    // leave the program deaf.
    auto token = getProfileRef(name);
    if (!token) {
        const std::string notice = "kelvo couldn't find the profile " + inQuotes(name) + ".";
        m_s.boxes.showNotice(notice, "", kNoticeMs, true);
        return Status::failure(kNoProfile, notice);
    }
    if (Status restarted = restartOn(*token, currentProfile()); !restarted)
        return restarted;
    if (choices.makeDefault)
        writeDefault(token->description);
    if (train)
        (void)m_s.platform.setDefaultProfile(token->id);
    trainingFrame(*token, train, "");
    return {};
}

Status VoiceProfiles::startOn(const SpeechToken& profile, bool& profileRefused) {
    profileRefused = true;
    if (Status s = m_s.engine.controlEngine(engine_action::kCrankUpEngine, profile.description); !s)
        return s;
    auto* recognizer = m_s.engine.objects().recognizer.get();
    Status chosen = recognizer ? recognizer->setProfile(profile)
                               : Status::failure(91, "Object variable not set (recognizer)");
    if (!chosen) {
        m_s.boxes.reportError(chosen.number(), chosen.message(), "FmouPpt");
        return chosen;
    }
    profileRefused = false;
    if (Status s = m_s.engine.controlEngine(engine_action::kGetAudioInput, ""); !s)
        return s;
    return m_s.engine.controlEngine(engine_action::kStartListening, "");
}

std::optional<SpeechToken> VoiceProfiles::currentProfile() {
    if (auto* recognizer = m_s.engine.objects().recognizer.get())
        if (auto current = recognizer->profile())
            return *current;
    return std::nullopt;
}

Status VoiceProfiles::restartOn(const SpeechToken& profile,
                                const std::optional<SpeechToken>& previous) {
    (void)m_s.engine.controlEngine(engine_action::kShutdown, "");
    bool refused = false;
    Status started = startOn(profile, refused);
    // When the new profile itself was refused, listen on the old one again
    // rather than not at all. A failure past it (audio, grammar) would only
    // repeat.
    if (!started && refused && previous && previous->id != profile.id) {
        (void)m_s.engine.controlEngine(engine_action::kShutdown, "");
        (void)startOn(*previous, refused);
    }
    return started;
}

void VoiceProfiles::trainingFrame(const SpeechToken& profile, bool screens,
                                  const std::string& passages) {
    m_s.feedback.setBusyPointer(true);
    m_s.feedback.setTrainingMenuEnabled(false);
    if (screens) {
        (void)m_s.grammars.LoadDifferentGrammar(kTrainingGrammarFile);
        const TrainingProfile trained{profile.id, profile.description,
                                      m_s.platform.profileFolder(profile.id)};
        const TrainingResult mic = m_s.screens.showMicrophoneSetup(trained, kMicTitle);
        takeUpProfileChanges(m_s.engine, mic);
        // Without the screens the user has been told once; a second notice
        // for the other screen says nothing new.
        if (mic.outcome != TrainingOutcome::Unavailable)
            takeUpProfileChanges(m_s.engine,
                                 m_s.screens.showVoiceTraining(trained, kTrainTitle, passages));
    }
    // The restart listens with the normal grammar: asleep, the sleep
    // grammar comes back whatever the screens did.
    (void)m_s.grammars.LoadDifferentGrammar(m_s.state.muted ? kSleepGrammarFile
                                                            : m_s.state.grammarFile);
    m_s.feedback.setBusyPointer(false);
    m_s.feedback.setTrainingMenuEnabled(true);
}

} // namespace kelvo
