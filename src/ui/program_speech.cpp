#include "ui/program_speech.h"

#include "speech/training_commands.h"

#include "platform/speech/sphinx_speech_platform.h"

namespace kelvo {

namespace {

/// Stands in when no sound output can be started: the beep is a courtesy.
class SilentTone final : public ToneOutput {
public:
    void playTone(int, int) override {}
};

} // namespace

ProgramSpeech::ProgramSpeech(ProgramSpeechParts parts)
    : m_state(parts.road.state.speech), m_boxes(parts.road.boxes) {
    speech::SphinxPlatformOptions options =
        speech::sphinxPlatformOptions(parts.dataFolder, parts.resourcesFolder);
    options.reportDamagedProfile = [&boxes = parts.road.boxes](const std::string& why) {
        boxes.showNotice("The training of this recognition profile is damaged (" + why + ").",
                         "kelvo listens without it. Train the profile again to mend it.", 0, false);
    };
    m_platform = speech::makeSphinxSpeechPlatform(m_poster, std::move(options));
    auto tone = ToneOutput::create();
    m_tone = tone ? std::move(tone).value() : std::make_unique<SilentTone>();

    RecognitionRoadParts road = parts.road;
    road.onRequestUI = [this, road, &screens = parts.screens,
                        &windows = parts.road.windows](const speech::RequestUiEvent& event) {
        // The question and any failure are shown by the handler itself; the
        // training is our own screen.
        MicrophoneSetupCommand training(m_system->engine(), m_system->grammars(), road.state.speech,
                                        road.feedback, road.app, road.boxes, screens, windows);
        (void)m_system->grammars().RC_RequestUI(
            event.streamNumber, event.streamPosition, event.type,
            [&training] { return training.trainCurrentProfile(); });
    };
    m_road = std::make_unique<RecognitionRoad>(road);
    m_system = std::make_unique<SpeechSystem>(SpeechServices{*m_platform, road.state.speech,
                                                             parts.dataFolder, road.boxes, road.app,
                                                             road.feedback, *m_tone},
                                              m_road->events());
    parts.host.attach(*m_system);
    m_system->engine().setPendingDictationForgetter(
        [this] { m_road->dispatcher().clearPendingDictation(); });
    // A microphone that stopped is looked for until it is back.
    m_retakeInput.setInterval(kRetakeIntervalMs);
    QObject::connect(&m_retakeInput, &QTimer::timeout, [this] {
        if (m_system->engine().retakeInput()) {
            m_retakeInput.stop();
        }
    });
    m_system->engine().setInputLostHandler([this] { m_retakeInput.start(); });
    m_profiles = std::make_unique<VoiceProfiles>(VoiceProfileServices{
        *m_platform, m_system->engine(), m_system->grammars(), road.state.speech, road.boxes,
        road.settings, road.feedback, parts.screens, parts.dataFolder});
}

Status ProgramSpeech::toggleListening() {
    if (!m_state.hearing) {
        showNotListeningNotice(m_boxes, "it cannot be muted or activated",
                               m_system->engine().waitsForInput());
        return {};
    }
    return m_system->sleepWake().muteUnmute(kModeToggle);
}

} // namespace kelvo
