#include "platform/speech/sound_capture.h"

#include "platform/speech/sphinx_audio_source.h"
#include "platform/speech/sphinx_wav.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace kelvo::speech {
namespace {

class ThreadCapture : public SoundCapture {
public:
    ~ThreadCapture() override { (void)stop(); }

    Status start(const AudioInputSetting& input, std::function<void(double)> onLevel) override {
        (void)stop();
        auto source = openSpeechAudioSource(input);
        if (!source) {
            return source.error();
        }
        m_stop = false;
        m_thread = std::thread(
            [this, source = std::shared_ptr<SpeechAudioSource>(std::move(source).value()),
             onLevel = std::move(onLevel)] {
                std::vector<std::int16_t> chunk(kSpeechSampleRate / 10);
                while (!m_stop) {
                    if (!source->read(chunk)) {
                        return;
                    }
                    int peak = 0;
                    for (std::int16_t sample : chunk) {
                        peak = std::max(peak, std::abs(static_cast<int>(sample)));
                    }
                    {
                        std::lock_guard lock(m_mutex);
                        m_samples.insert(m_samples.end(), chunk.begin(), chunk.end());
                    }
                    if (onLevel) {
                        onLevel(std::min(1.0, peak / 32767.0));
                    }
                }
            });
        return {};
    }

    std::vector<std::int16_t> stop() override {
        m_stop = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
        std::lock_guard lock(m_mutex);
        std::vector<std::int16_t> recorded;
        recorded.swap(m_samples);
        return recorded;
    }

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<std::int16_t> m_samples;
};

struct SourceQuery {
    pa_mainloop* loop = nullptr;
    std::vector<AudioSourceInfo> sources;
    bool failed = false;
};

void onSource(pa_context*, const pa_source_info* info, int end, void* data) {
    auto* query = static_cast<SourceQuery*>(data);
    if (end != 0) {
        query->failed = query->failed || end < 0;
        pa_mainloop_quit(query->loop, 0);
        return;
    }
    if (info && info->monitor_of_sink == PA_INVALID_INDEX) {
        query->sources.push_back(
            {info->name ? info->name : "", info->description ? info->description : ""});
    }
}

void onState(pa_context* context, void* data) {
    auto* query = static_cast<SourceQuery*>(data);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        pa_operation_unref(pa_context_get_source_info_list(context, onSource, data));
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        query->failed = true;
        pa_mainloop_quit(query->loop, 1);
        break;
    default:
        break;
    }
}

} // namespace

std::unique_ptr<SoundCapture> makeSoundCapture() {
    return std::make_unique<ThreadCapture>();
}

Result<std::vector<AudioSourceInfo>> listAudioSources() {
    SourceQuery query;
    query.loop = pa_mainloop_new();
    pa_context* context = pa_context_new(pa_mainloop_get_api(query.loop), "kelvo");
    pa_context_set_state_callback(context, onState, &query);
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        query.failed = true;
    } else {
        // Bounded: a sound server that never answers must not hang the window.
        for (int i = 0; i < 200 && !query.failed; ++i) {
            int quit = 0;
            if (pa_mainloop_iterate(query.loop, 0, &quit) < 0) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    pa_context_disconnect(context);
    pa_context_unref(context);
    pa_mainloop_free(query.loop);
    if (query.failed && query.sources.empty()) {
        return Status::failure(EIO, "the sound server cannot be reached");
    }
    return query.sources;
}

} // namespace kelvo::speech
