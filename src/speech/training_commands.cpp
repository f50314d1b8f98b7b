#include "speech/training_commands.h"

#include "services/window_services.h"
#include "speech/sleep_wake.h"

#include <cstdio>

namespace kelvo {

namespace {

constexpr const char* kNoProfileYet = "There is no recognition profile yet.";
// A notice shows plain text: one ampersand, not a menu's doubled one.
constexpr const char* kCreateOneFirst =
    "Create one from the Training & Recognition Profiles menu first.";
constexpr const char* kVoiceTrainingTitle = "Voice Profile Training";

} // namespace

std::optional<TrainingProfile> currentTrainingProfile(EngineController& engine) {
    SpeechObjects& objects = engine.objects();
    speech::Recognizer* recognizer =
        objects.rc ? &objects.rc->recognizer() : objects.recognizer.get();
    if (!recognizer) {
        return std::nullopt;
    }
    Result<speech::SpeechToken> profile = recognizer->profile();
    if (!profile || profile->id.empty()) {
        return std::nullopt;
    }
    return TrainingProfile{profile->id, profile->description,
                           engine.platform().profileFolder(profile->id)};
}

void takeUpProfileChanges(EngineController& engine, const TrainingResult& result) {
    if (result.outcome != TrainingOutcome::Completed) {
        return;
    }
    SpeechObjects& objects = engine.objects();
    speech::Recognizer* recognizer =
        objects.rc ? &objects.rc->recognizer() : objects.recognizer.get();
    if (!recognizer) {
        return;
    }
    if (Status taken = recognizer->refreshProfile(); !taken) {
        std::fprintf(stderr, "kelvo: %s\n", taken.message().c_str());
    }
}

MicrophoneSetupCommand::MicrophoneSetupCommand(EngineController& engine, GrammarSwitcher& grammars,
                                               SpeechState& state, FeedbackPort& feedback,
                                               AppControl& app, MessageBoxes& boxes,
                                               TrainingScreens& screens, WindowRegistry& windows)
    : m_engine(engine), m_grammars(grammars), m_state(state), m_feedback(feedback), m_app(app),
      m_boxes(boxes), m_screens(screens), m_windows(windows) {}

Status MicrophoneSetupCommand::trainCurrentProfile() {
    std::optional<TrainingProfile> profile = currentTrainingProfile(m_engine);
    m_feedback.setBusyPointer(false);
    if (!profile) {
        m_boxes.showNotice(kNoProfileYet, kCreateOneFirst, 1, true);
        return {};
    }
    // The screen has shown whatever went wrong.
    takeUpProfileChanges(m_engine, m_screens.showVoiceTraining(*profile, kVoiceTrainingTitle, ""));
    return {};
}

TrainingResult MicrophoneSetupCommand::configureMicrophone() {
    if (!m_state.hearing) {
        return notHearing("the microphone cannot be set up now");
    }
    return underTrainingGrammar([this](const TrainingProfile& profile) {
        // The profile set up becomes the store's default too.
        if (Status made = m_engine.platform().setDefaultProfile(profile.id); !made) {
            std::fprintf(stderr, "kelvo: %s\n", made.message().c_str());
        }
        return m_screens.showMicrophoneSetup(profile, "Configure Your Microphone");
    });
}

TrainingResult MicrophoneSetupCommand::trainProfileInUse() {
    if (!m_state.hearing) {
        return notHearing("the voice training cannot start now");
    }
    return underTrainingGrammar([this](const TrainingProfile& profile) {
        return m_screens.showVoiceTraining(profile, kVoiceTrainingTitle, "");
    });
}

TrainingResult MicrophoneSetupCommand::notHearing(const std::string& cannot) {
    // No grammar to switch, or no sound to set up or train with. Held open
    // as the screen it stands for would be: the training notice closes the
    // program as soon as this returns.
    showNotListeningNotice(m_boxes, cannot, m_engine.waitsForInput(), true);
    return {TrainingOutcome::Unavailable, "kelvo is not listening"};
}

TrainingResult MicrophoneSetupCommand::underTrainingGrammar(
    const std::function<TrainingResult(const TrainingProfile&)>& screen) {
    m_app.pumpEvents();
    m_feedback.setBusyPointer(true);
    m_feedback.setTrainingMenuEnabled(false);
    // Reports its own failure; the screen still opens.
    (void)m_grammars.LoadDifferentGrammar(kTrainingGrammarFile);
    bringFormToFront(m_windows, kMainWindowName);
    TrainingResult result;
    if (std::optional<TrainingProfile> profile = currentTrainingProfile(m_engine)) {
        m_feedback.setBusyPointer(false);
        result = screen(*profile);
        takeUpProfileChanges(m_engine, result);
    } else {
        m_feedback.setBusyPointer(false);
        result = {TrainingOutcome::Unavailable, kCreateOneFirst};
        m_boxes.showNotice(kNoProfileYet, result.message, 1, true);
    }
    m_app.pumpEvents();
    (void)m_grammars.LoadDifferentGrammar(m_state.muted ? kSleepGrammarFile : m_state.grammarFile);
    m_feedback.setTrainingMenuEnabled(true);
    m_feedback.setBusyPointer(false);
    m_app.pumpEvents();
    return result;
}

} // namespace kelvo
