#include "platform/tone_output.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <numbers>
#include <system_error>
#include <thread>
#include <vector>

namespace kelvo {

namespace {

constexpr int kSampleRate = 44100;
constexpr int kMaxMilliseconds = 10000;
// A few milliseconds of fade at each end keep the tone from clicking.
constexpr int kFadeSamples = kSampleRate / 200;

std::vector<std::int16_t> sineSamples(int hertz, int milliseconds) {
    const int count = kSampleRate * milliseconds / 1000;
    std::vector<std::int16_t> samples(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        double gain = 0.3;
        if (i < kFadeSamples)
            gain *= static_cast<double>(i) / kFadeSamples;
        if (count - i < kFadeSamples)
            gain *= static_cast<double>(count - i) / kFadeSamples;
        const double value =
            gain * std::sin(2.0 * std::numbers::pi * hertz * i / static_cast<double>(kSampleRate));
        samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(value * 32767.0);
    }
    return samples;
}

class PulseToneOutput : public ToneOutput {
public:
    PulseToneOutput() = default;
    ~PulseToneOutput() override {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_one();
        if (m_worker.joinable())
            m_worker.join();
    }

    void start() {
        m_worker = std::thread([this] { run(); });
    }

    void playTone(int hertz, int milliseconds) override {
        if (hertz <= 0 || hertz >= kSampleRate / 2 || milliseconds <= 0 ||
            milliseconds > kMaxMilliseconds)
            return;
        {
            std::lock_guard lock(m_mutex);
            m_tones.push_back({hertz, milliseconds});
        }
        m_wake.notify_one();
    }

private:
    struct Tone {
        int hertz;
        int milliseconds;
    };

    void run() {
        for (;;) {
            Tone tone{};
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [this] { return m_stopping || !m_tones.empty(); });
                if (m_stopping)
                    return;
                tone = m_tones.front();
                m_tones.pop_front();
            }
            play(tone);
        }
    }

    static void play(const Tone& tone) {
        const pa_sample_spec spec{PA_SAMPLE_S16LE, kSampleRate, 1};
        int error = 0;
        pa_simple* stream = pa_simple_new(nullptr, "kelvo", PA_STREAM_PLAYBACK, nullptr, "beep",
                                          &spec, nullptr, nullptr, &error);
        if (stream == nullptr)
            return;
        const auto samples = sineSamples(tone.hertz, tone.milliseconds);
        if (pa_simple_write(stream, samples.data(), samples.size() * sizeof(std::int16_t),
                            &error) == 0)
            (void)pa_simple_drain(stream, &error);
        pa_simple_free(stream);
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Tone> m_tones;
    bool m_stopping = false;
    std::thread m_worker;
};

} // namespace

Result<std::unique_ptr<ToneOutput>> ToneOutput::create() {
    auto output = std::make_unique<PulseToneOutput>();
    try {
        output->start();
    } catch (const std::system_error& error) {
        return Status::failure(error.code().value(), error.what());
    }
    return std::unique_ptr<ToneOutput>(std::move(output));
}

} // namespace kelvo
