#include "platform/speech/sphinx_audio_source.h"

#include "platform/speech/sphinx_wav.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kelvo::speech {
namespace {

using Clock = std::chrono::steady_clock;

std::chrono::microseconds durationOf(std::size_t samples) {
    return std::chrono::microseconds(samples * 1000000 / kSpeechSampleRate);
}

class SampleSource : public SpeechAudioSource {
public:
    SampleSource(std::vector<std::int16_t> samples, bool paced)
        : m_samples(std::move(samples)), m_paced(paced), m_next(Clock::now()) {}

    Status read(std::vector<std::int16_t>& out) override {
        std::size_t n = std::min(out.size(), m_samples.size() - m_at);
        std::copy_n(m_samples.begin() + static_cast<long>(m_at), n, out.begin());
        m_at += n;
        fillWithRoomNoise(out.data() + n, out.size() - n, m_seed);
        if (m_paced) {
            m_next += durationOf(out.size());
            std::this_thread::sleep_until(m_next);
        }
        return {};
    }

private:
    std::vector<std::int16_t> m_samples;
    std::size_t m_at = 0;
    bool m_paced;
    Clock::time_point m_next;
    std::uint32_t m_seed = 12345;
};

class PulseSource : public SpeechAudioSource {
public:
    explicit PulseSource(pa_simple* stream) : m_stream(stream) {}
    ~PulseSource() override { pa_simple_free(m_stream); }

    Status read(std::vector<std::int16_t>& out) override {
        int error = 0;
        if (pa_simple_read(m_stream, out.data(), out.size() * sizeof(std::int16_t), &error) < 0) {
            return Status::failure(EIO,
                                   std::string("the microphone stopped: ") + pa_strerror(error));
        }
        return {};
    }

private:
    pa_simple* m_stream;
};

class FifoSource : public SpeechAudioSource {
public:
    /// How long a writer may pause in mid-stream before it counts as silent.
    static constexpr std::chrono::milliseconds kWriterPause{1000};

    FifoSource(int fd, std::filesystem::path path) : m_fd(fd), m_path(std::move(path)) {}
    ~FifoSource() override { ::close(m_fd); }

    // Delivers what the writer sent; while it sends nothing, the room's quiet
    // noise at real-time pace, so utterances end as they would at a mic. A
    // writer that sent something lately is only slow (a loaded machine): its
    // next samples are waited for, never replaced by noise in mid-phrase.
    Status read(std::vector<std::int16_t>& out) override {
        auto chunkEnd = Clock::now() + durationOf(out.size());
        std::size_t wanted = out.size() * sizeof(std::int16_t);
        char buffer[4096];
        while (m_pending.size() < wanted) {
            auto deadline = std::max(chunkEnd, m_lastData + kWriterPause);
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                break;
            }
            pollfd p{m_fd, POLLIN, 0};
            int ready = ::poll(&p, 1, static_cast<int>(left.count()));
            if (ready < 0 && errno != EINTR) {
                return Status::failure(errno, "cannot read " + m_path.string());
            }
            if (ready <= 0) {
                continue;
            }
            ssize_t n = ::read(m_fd, buffer, std::min(sizeof buffer, wanted - m_pending.size()));
            if (n > 0) {
                m_pending.append(buffer, static_cast<std::size_t>(n));
                m_lastData = Clock::now();
            } else if (n == 0) {
                std::this_thread::sleep_until(deadline);
            } else if (errno != EAGAIN && errno != EINTR) {
                return Status::failure(errno, "cannot read " + m_path.string());
            }
        }
        // Whole samples only; an odd byte waits for its partner.
        std::size_t whole = std::min(m_pending.size(), wanted) / sizeof(std::int16_t);
        std::memcpy(out.data(), m_pending.data(), whole * sizeof(std::int16_t));
        m_pending.erase(0, whole * sizeof(std::int16_t));
        fillWithRoomNoise(out.data() + whole, out.size() - whole, m_seed);
        return {};
    }

private:
    int m_fd;
    std::filesystem::path m_path;
    std::uint32_t m_seed = 777;
    std::string m_pending;
    Clock::time_point m_lastData{};
};

Result<std::unique_ptr<SpeechAudioSource>> openPulse(const std::string& device = {}) {
    pa_sample_spec spec{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(kSpeechSampleRate), 1};
    // Small fragments keep the delay between speech and result short.
    pa_buffer_attr attributes{};
    attributes.maxlength = static_cast<std::uint32_t>(-1);
    attributes.fragsize = kSpeechSampleRate / 50 * 2;
    int error = 0;
    pa_simple* stream =
        pa_simple_new(nullptr, "kelvo", PA_STREAM_RECORD, device.empty() ? nullptr : device.c_str(),
                      "voice commands", &spec, nullptr, &attributes, &error);
    if (!stream) {
        return Status::failure(EIO, std::string("no microphone: ") + pa_strerror(error));
    }
    return std::unique_ptr<SpeechAudioSource>(new PulseSource(stream));
}

Result<std::unique_ptr<SpeechAudioSource>> openFifo(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISFIFO(info.st_mode)) {
        return Status::failure(ENOENT, "no fifo at " + path.string());
    }
    // Read-write keeps the pipe open between writers and never blocks here.
    int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return Status::failure(errno, "cannot open " + path.string() + ": " + std::strerror(errno));
    }
    return std::unique_ptr<SpeechAudioSource>(new FifoSource(fd, path));
}

} // namespace

void fillWithRoomNoise(std::int16_t* samples, std::size_t count, std::uint32_t& seed) {
    for (std::size_t i = 0; i < count; ++i) {
        seed = seed * 1664525u + 1013904223u;
        samples[i] = static_cast<std::int16_t>(static_cast<int>((seed >> 24) % 9) - 4);
    }
}

void fillDigitalSilence(std::int16_t* samples, std::size_t count, std::uint32_t& seed) {
    constexpr std::size_t kBlock = kSpeechSampleRate / 100;
    for (std::size_t at = 0; at < count; at += kBlock) {
        std::size_t n = std::min(kBlock, count - at);
        bool silent = std::all_of(samples + at, samples + at + n,
                                  [](std::int16_t s) { return s >= -2 && s <= 2; });
        if (silent) {
            fillWithRoomNoise(samples + at, n, seed);
        }
    }
}

std::unique_ptr<SpeechAudioSource> makeSampleSource(std::vector<std::int16_t> samples, bool paced) {
    return std::make_unique<SampleSource>(std::move(samples), paced);
}

Result<std::unique_ptr<SpeechAudioSource>> openSpeechAudioSource(const AudioInputSetting& setting) {
    switch (setting.kind) {
    case AudioSourceKind::Default:
        return openPulse();
    case AudioSourceKind::File: {
        auto samples = readWavAsSpeech(setting.path);
        if (!samples) {
            return samples.error();
        }
        return makeSampleSource(std::move(samples).value());
    }
    case AudioSourceKind::Fifo:
        return openFifo(setting.path);
    case AudioSourceKind::Pulse:
        return openPulse(setting.path.string());
    }
    return Status::failure(EINVAL, "unknown audio input");
}

} // namespace kelvo::speech
