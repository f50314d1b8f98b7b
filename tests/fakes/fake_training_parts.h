#pragma once

#include "platform/speech/sound_capture.h"
#include "platform/speech/sphinx_tool_runner.h"
#include "platform/speech/voice_adaptation.h"

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace kelvo::fakes {

/// Records what it is asked to capture; stop() gives the scripted samples.
class FakeSoundCapture : public speech::SoundCapture {
public:
    Status start(const speech::AudioInputSetting& input,
                 std::function<void(double)> onLevel) override {
        if (!failure.ok()) {
            return failure;
        }
        started.push_back(input.text());
        level = std::move(onLevel);
        running = true;
        return {};
    }
    std::vector<std::int16_t> stop() override {
        running = false;
        return std::exchange(recording, {});
    }

    Status failure;
    std::vector<std::string> started;
    std::function<void(double)> level;
    std::vector<std::int16_t> recording;
    bool running = false;
};

/// A spoken-sounding recording: a tone loud enough to count as speech.
inline std::vector<std::int16_t> toneSamples(std::size_t count, int peak = 8000) {
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<std::int16_t>(i % 2 ? peak : -peak);
    }
    return samples;
}

/// Returns the scripted status; with `waitForCancel` it runs until
/// cancelled, as a long training does.
class FakeVoiceAdapter : public speech::VoiceAdapter {
public:
    Status adapt(const std::filesystem::path& profileFolder,
                 const std::vector<speech::AdaptationRecording>& recordings,
                 const speech::AdaptationProgress& progress,
                 const std::atomic<bool>& cancel) override {
        folder = profileFolder;
        given = recordings;
        progress(50, "Adapting");
        while (waitForCancel && !cancel) {
            std::this_thread::yield();
        }
        if (cancel) {
            return Status::failure(speech::kCancelled, "cancelled");
        }
        return outcome;
    }

    Status outcome;
    std::atomic<bool> waitForCancel{false};
    std::filesystem::path folder;
    std::vector<speech::AdaptationRecording> given;
};

class FakePhraseCheck : public speech::PhraseCheck {
public:
    Result<std::string> heard(const std::vector<std::int16_t>&,
                              const std::vector<std::string>& phrases) override {
        ++checks;
        return hears ? phrases.front() : std::string();
    }
    bool hears = true;
    int checks = 0;
};

} // namespace kelvo::fakes
