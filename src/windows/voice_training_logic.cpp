#include "windows/voice_training_logic.h"

#include "platform/atomic_file.h"
#include "platform/speech/sphinx_tool_runner.h"
#include "platform/speech/sphinx_wav.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

const char* const kOwnPassages[] = {
    "The morning train was late again so Maria walked to the corner bakery and bought warm "
    "bread for the whole office.",
    "Our small town keeps a market in the square every Saturday where farmers bring apples and "
    "potatoes from the hills.",
    "When the storm passed the river was high and brown so we followed the path along the water "
    "to see the old bridge.",
};

constexpr const char* kReadIt =
    "Press Record, read the passage aloud at your usual pace, then press Stop.";

fs::path recordingFolder(const TrainingProfile& profile) {
    return profile.folder / "recordings";
}

template <typename Weak> bool alive(const Weak& token) {
    return !token.expired();
}

} // namespace

std::vector<std::string> VoiceTrainingLogic::splitPassages(const std::string& text) {
    std::vector<std::string> passages;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos) {
            continue;
        }
        const auto last = line.find_last_not_of(" \t\r");
        passages.push_back(line.substr(first, last - first + 1));
    }
    if (passages.empty()) {
        passages.assign(std::begin(kOwnPassages), std::end(kOwnPassages));
    }
    return passages;
}

VoiceTrainingLogic::VoiceTrainingLogic(VoiceTrainingView& view, VoiceTrainingServices services,
                                       TrainingProfile profile, std::string title,
                                       std::string passages)
    : m_view(view), m_services(std::move(services)), m_profile(std::move(profile)),
      m_title(std::move(title)), m_passages(splitPassages(passages)) {}

VoiceTrainingLogic::~VoiceTrainingLogic() {
    m_alive.reset();
    (void)m_services.capture.stop();
    m_cancel = true;
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

void VoiceTrainingLogic::open() {
    m_view.setTitle(m_title);
    m_view.setProgress(-1);
    m_view.setLevel(0);
    showPassage();
    m_view.setStatus(kReadIt);
    showButtons();
}

void VoiceTrainingLogic::showPassage() {
    m_view.setPassage("Passage " + std::to_string(m_current + 1) + " of " +
                          std::to_string(m_passages.size()),
                      m_passages[m_current]);
}

void VoiceTrainingLogic::showButtons() {
    using B = VoiceTrainingView::Button;
    m_view.setButtonEnabled(B::Record, m_stage == Stage::Reading);
    m_view.setButtonEnabled(B::Stop, m_stage == Stage::Recording);
    m_view.setButtonEnabled(B::Finish, m_stage == Stage::Reading && m_recorded > 0);
    m_view.setButtonEnabled(B::Cancel, m_stage != Stage::Done);
    m_view.setButtonEnabled(B::Close, m_stage == Stage::Done);
}

void VoiceTrainingLogic::clickRecord() {
    if (m_stage != Stage::Reading) {
        return;
    }
    std::weak_ptr<bool> token = m_alive;
    Status started = m_services.capture.start(m_services.input, [this, token](double level) {
        m_services.poster.post([this, token, level] {
            if (alive(token)) {
                m_view.setLevel(level);
            }
        });
    });
    if (!started) {
        m_view.setStatus("The microphone cannot be opened: " + started.message());
        return;
    }
    m_stage = Stage::Recording;
    m_view.setStatus("Recording: read the passage, then press Stop.");
    showButtons();
}

void VoiceTrainingLogic::clickStop() {
    if (m_stage != Stage::Recording) {
        return;
    }
    std::vector<std::int16_t> samples = m_services.capture.stop();
    m_stage = Stage::Reading;
    m_view.setLevel(0);
    int peak = 0;
    for (std::int16_t sample : samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    if (samples.size() < kShortestPassage || peak < kSilentPeak) {
        m_view.setStatus("Nothing was heard. Check the microphone and read the passage again.");
        showButtons();
        return;
    }
    // Numbered after those of earlier sessions: every session's passages
    // go into the next training.
    const fs::path folder = recordingFolder(m_profile);
    int number = 1;
    std::error_code error;
    while (fs::exists(folder / ("passage" + std::to_string(number) + ".wav"), error)) {
        ++number;
    }
    const fs::path stem = folder / ("passage" + std::to_string(number));
    Status saved = writeFileAtomically(stem.string() + ".txt", m_passages[m_current] + "\n");
    if (saved) {
        saved = speech::writeSpeechWav(stem.string() + ".wav", samples);
    }
    if (!saved) {
        m_view.setStatus("The recording cannot be saved: " + saved.message());
        showButtons();
        return;
    }
    ++m_recorded;
    if (m_current + 1 < m_passages.size()) {
        ++m_current;
        showPassage();
        m_view.setStatus("Recorded. " + std::string(kReadIt) +
                         " Press Train Now when you have read enough.");
        showButtons();
        return;
    }
    clickFinish();
}

std::vector<speech::AdaptationRecording> VoiceTrainingLogic::recordings() const {
    std::vector<speech::AdaptationRecording> all;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(recordingFolder(m_profile), error)) {
        fs::path wav = entry.path();
        if (wav.extension() != ".wav") {
            continue;
        }
        fs::path words = wav;
        words.replace_extension(".txt");
        if (Result<std::string> text = readWholeFile(words)) {
            all.push_back({wav, *text});
        }
    }
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.wav < b.wav; });
    return all;
}

void VoiceTrainingLogic::clickFinish() {
    if (m_stage != Stage::Reading || m_recorded == 0) {
        return;
    }
    m_stage = Stage::Training;
    m_view.setProgress(0);
    m_view.setStatus("Training the profile on your voice...");
    showButtons();
    std::weak_ptr<bool> token = m_alive;
    auto& poster = m_services.poster;
    m_worker = std::thread([this, token, &poster, recorded = recordings()] {
        Status status = m_services.adapter.adapt(
            m_profile.folder, recorded,
            [this, token, &poster](int percent, const std::string& step) {
                poster.post([this, token, percent, step] {
                    if (alive(token) && m_stage == Stage::Training) {
                        m_view.setProgress(percent);
                        m_view.setStatus(step + "...");
                    }
                });
            },
            m_cancel);
        m_workerStatus = status;
        poster.post([this, token, status] {
            if (alive(token) && !m_finished) {
                trainingEnded(status);
            }
        });
    });
}

void VoiceTrainingLogic::trainingEnded(const Status& status) {
    m_finished = true;
    m_stage = Stage::Done;
    if (status) {
        m_result = {TrainingOutcome::Completed, {}};
        m_view.setProgress(100);
        m_view.setStatus("Your profile is trained. kelvo uses the training as soon as you "
                         "close this window.");
    } else if (status.number() == speech::kCancelled) {
        m_result = {TrainingOutcome::Cancelled, {}};
        m_view.setProgress(-1);
        m_view.setStatus("The training was cancelled. The profile keeps its earlier training.");
    } else {
        m_result = {TrainingOutcome::Failed, "The training failed: " + status.message()};
        m_view.setProgress(-1);
        m_view.setStatus(m_result.message + " The profile keeps its earlier training.");
    }
    showButtons();
}

void VoiceTrainingLogic::clickCancel() {
    if (m_stage == Stage::Training) {
        m_cancel = true;
        m_view.setStatus("Cancelling...");
        return;
    }
    (void)m_services.capture.stop();
    m_view.closeWindow();
}

void VoiceTrainingLogic::clickClose() {
    m_view.closeWindow();
}

void VoiceTrainingLogic::closing() {
    (void)m_services.capture.stop();
    m_cancel = true;
    if (m_worker.joinable()) {
        m_worker.join();
    }
    if (m_stage == Stage::Training) {
        trainingEnded(m_workerStatus);
    }
}

} // namespace kelvo
