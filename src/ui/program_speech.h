#pragma once

#include "platform/speech/speech_engine.h"
#include "platform/tone_output.h"
#include "program/program_dispatch_host.h"
#include "program/recognition_road.h"
#include "speech/speech_system.h"
#include "speech/training_screens.h"
#include "speech/voice_profiles.h"
#include "ui/qt_ui_poster.h"

#include <QObject>
#include <QTimer>

#include <filesystem>
#include <memory>

namespace kelvo {

/// What the program's speech side is made from.
struct ProgramSpeechParts {
    RecognitionRoadParts road;
    ProgramDispatchHost& host;
    /// The data folder (grammar files, voice profiles).
    std::filesystem::path dataFolder;
    /// The program's resources (the supplementary dictionary).
    std::filesystem::path resourcesFolder;
    /// The microphone set-up and voice-training screens.
    TrainingScreens& screens;
};

/// The program's speech side: the PocketSphinx engine posting its events to
/// the UI thread, the recognition road they go to, and the speech system
/// that runs the engine. Made once the main window is loaded, whose
/// feedback it shows.
class ProgramSpeech {
public:
    explicit ProgramSpeech(ProgramSpeechParts parts);

    ProgramSpeech(const ProgramSpeech&) = delete;
    ProgramSpeech& operator=(const ProgramSpeech&) = delete;

    SpeechSystem& system() { return *m_system; }

    /// Sleeps or wakes as the tray's item and the listening picture do.
    /// While no engine hears there is nothing to switch: a notice says so.
    Status toggleListening();
    RecognitionRoad& road() { return *m_road; }
    VoiceProfiles& profiles() { return *m_profiles; }

private:
    /// How often a microphone that stopped is looked for again.
    static constexpr int kRetakeIntervalMs = 2000;

    SpeechState& m_state;
    MessageBoxes& m_boxes;
    QObject m_uiThread;
    QtUiPoster m_poster{&m_uiThread};
    std::unique_ptr<speech::SpeechPlatform> m_platform;
    std::unique_ptr<ToneOutput> m_tone;
    std::unique_ptr<RecognitionRoad> m_road;
    std::unique_ptr<SpeechSystem> m_system;
    std::unique_ptr<VoiceProfiles> m_profiles;
    // Goes first: it calls into the speech system.
    QTimer m_retakeInput;
};

} // namespace kelvo
