#include "windows/microphone_setup_logic.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>

namespace kelvo {

MicrophoneSetupLogic::MicrophoneSetupLogic(MicrophoneSetupView& view,
                                           MicrophoneSetupServices services,
                                           TrainingProfile profile, std::string title)
    : m_view(view), m_services(std::move(services)), m_profile(std::move(profile)),
      m_title(std::move(title)) {}

MicrophoneSetupLogic::~MicrophoneSetupLogic() {
    m_alive.reset();
    (void)m_services.capture.stop();
}

void MicrophoneSetupLogic::open() {
    m_view.setTitle(m_title);
    m_view.setTestPhrase(kTestPhrase);
    std::vector<std::string> shown;
    m_names = {""};
    shown.push_back(m_services.standard.kind == speech::AudioSourceKind::Default
                        ? "Default microphone"
                        : "As set in speech.ini (" + m_services.standard.text() + ")");
    std::string status = "Choose your microphone and speak: the bar shows the level it hears.";
    if (auto sources = m_services.listSources()) {
        for (const auto& source : *sources) {
            m_names.push_back(source.name);
            shown.push_back(source.description.empty() ? source.name : source.description);
        }
    } else {
        status = "The sound server lists no microphones (" + sources.error().message() +
                 "); the default input is used.";
    }
    const std::string saved = speech::profileMicrophone(m_profile.folder);
    auto found = std::find(m_names.begin(), m_names.end(), saved);
    m_selected = found == m_names.end() ? 0 : static_cast<int>(found - m_names.begin());
    m_view.setSources(shown, m_selected);
    m_view.setStatus(status);
    m_view.setButtonEnabled(MicrophoneSetupView::Button::Test, true);
    m_view.setButtonEnabled(MicrophoneSetupView::Button::Save, true);
    m_view.setButtonEnabled(MicrophoneSetupView::Button::Cancel, true);
    listen();
}

speech::AudioInputSetting MicrophoneSetupLogic::input() const {
    if (m_selected <= 0 || m_selected >= static_cast<int>(m_names.size())) {
        return m_services.standard;
    }
    return {speech::AudioSourceKind::Pulse, m_names[static_cast<std::size_t>(m_selected)]};
}

void MicrophoneSetupLogic::listen() {
    std::weak_ptr<bool> token = m_alive;
    auto chunks = std::make_shared<std::atomic<int>>(0);
    const bool testing = m_testing;
    Status started =
        m_services.capture.start(input(), [this, token, chunks, testing](double level) {
            const int heard = ++*chunks;
            m_services.poster.post([this, token, level, heard, testing] {
                if (token.expired()) {
                    return;
                }
                m_view.setLevel(level);
                if (testing && m_testing && heard == kTestChunks) {
                    testEnded();
                }
            });
        });
    if (!started) {
        m_testing = false;
        m_view.setLevel(0);
        m_view.setStatus("This microphone cannot be opened: " + started.message());
    }
}

void MicrophoneSetupLogic::selectSource(int index) {
    if (index == m_selected || index < 0 || index >= static_cast<int>(m_names.size())) {
        return;
    }
    m_selected = index;
    m_testing = false;
    m_view.setStatus("Speak: the bar shows the level this microphone hears.");
    listen();
}

void MicrophoneSetupLogic::clickTest() {
    if (m_testing) {
        return;
    }
    m_testing = true;
    m_view.setButtonEnabled(MicrophoneSetupView::Button::Test, false);
    m_view.setStatus("Say \"" + std::string(kTestPhrase) + "\" now.");
    listen();
}

void MicrophoneSetupLogic::testEnded() {
    m_testing = false;
    std::vector<std::int16_t> samples = m_services.capture.stop();
    m_view.setButtonEnabled(MicrophoneSetupView::Button::Test, true);
    int peak = 0;
    std::size_t clipped = 0;
    for (std::int16_t sample : samples) {
        const int size = std::abs(static_cast<int>(sample));
        peak = std::max(peak, size);
        clipped += size >= 32700 ? 1 : 0;
    }
    std::string verdict;
    if (peak < kSilentPeak) {
        verdict = "Nothing was heard. Check that the microphone is plugged in and not muted, "
                  "or choose another one.";
    } else if (auto heard = m_services.check.heard(samples, {kTestPhrase}); !heard) {
        verdict = "The test could not be checked: " + heard.error().message();
    } else if (heard->empty()) {
        verdict = "The recognizer did not hear the phrase. Speak a little closer to the "
                  "microphone, or choose another one, and test again.";
    } else {
        verdict = "The recognizer heard you: this microphone works. Press Save to use it with "
                  "this profile.";
    }
    if (!verdict.empty() && clipped * 200 > samples.size() && peak >= kSilentPeak) {
        verdict += " The sound is too loud: turn the microphone's volume down a little.";
    }
    m_view.setStatus(verdict);
    listen();
}

void MicrophoneSetupLogic::clickSave() {
    (void)m_services.capture.stop();
    const std::string name =
        m_selected > 0 ? m_names[static_cast<std::size_t>(m_selected)] : std::string();
    if (Status saved = speech::saveProfileMicrophone(m_profile.folder, name); !saved) {
        m_result = {TrainingOutcome::Failed, "The choice cannot be saved: " + saved.message()};
        m_view.setStatus(m_result.message);
        listen();
        return;
    }
    m_result = {TrainingOutcome::Completed, {}};
    m_view.closeWindow();
}

void MicrophoneSetupLogic::clickCancel() {
    (void)m_services.capture.stop();
    m_view.closeWindow();
}

void MicrophoneSetupLogic::closing() {
    m_testing = false;
    (void)m_services.capture.stop();
}

} // namespace kelvo
