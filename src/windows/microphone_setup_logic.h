#pragma once

#include "platform/speech/sound_capture.h"
#include "platform/speech/speech_events.h"
#include "platform/speech/voice_adaptation.h"
#include "speech/training_screens.h"
#include "windows/microphone_setup_view.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelvo {

struct MicrophoneSetupServices {
    speech::SoundCapture& capture;
    speech::PhraseCheck& check;
    /// Brings the capture's levels to the UI thread.
    speech::UiPoster& poster;
    std::function<Result<std::vector<speech::AudioSourceInfo>>()> listSources;
    /// The input the program listens to when no microphone is chosen.
    speech::AudioInputSetting standard;
};

/// Microphone set-up: choose an input, watch its level, say a test phrase
/// the recognizer must hear, and keep the choice in the profile.
class MicrophoneSetupLogic {
public:
    static constexpr const char* kTestPhrase = "testing my microphone one two three";
    /// Tenths of a second the test listens.
    static constexpr int kTestChunks = 50;
    static constexpr int kSilentPeak = 300;

    MicrophoneSetupLogic(MicrophoneSetupView& view, MicrophoneSetupServices services,
                         TrainingProfile profile, std::string title);
    ~MicrophoneSetupLogic();
    MicrophoneSetupLogic(const MicrophoneSetupLogic&) = delete;
    MicrophoneSetupLogic& operator=(const MicrophoneSetupLogic&) = delete;

    void open();
    void selectSource(int index);
    void clickTest();
    void clickSave();
    void clickCancel();
    void closing();

    TrainingResult result() const { return m_result; }

private:
    speech::AudioInputSetting input() const;
    void listen();
    void testEnded();

    MicrophoneSetupView& m_view;
    MicrophoneSetupServices m_services;
    TrainingProfile m_profile;
    std::string m_title;
    // Source names; the first, empty, is the standard input.
    std::vector<std::string> m_names;
    int m_selected = 0;
    bool m_testing = false;
    TrainingResult m_result{TrainingOutcome::Cancelled, {}};
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace kelvo
