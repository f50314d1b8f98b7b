#include "platform/speech/sphinx_listener.h"

#include "platform/speech/sphinx_level_meter.h"

namespace kelvo::speech {

SphinxListener::SphinxListener(SphinxDecoder& commands, std::function<SphinxDecoder*()> dictation,
                               std::mutex& wordsMutex, std::shared_ptr<SpeechAudioSource> source,
                               ListenerEvents events)
    : m_session(commands, std::move(dictation), &wordsMutex), m_source(std::move(source)),
      m_events(std::move(events)) {
    m_thread = std::thread([this] { run(); });
}

SphinxListener::~SphinxListener() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wanted.notify_all();
    m_thread.join();
}

void SphinxListener::setListeningState(ListeningState state) {
    {
        std::lock_guard lock(m_mutex);
        m_state = std::move(state);
        m_changed = true;
    }
    m_wanted.notify_all();
}

void SphinxListener::run() {
    SpeechLevelMeter meter;
    std::vector<std::int16_t> chunk(kChunkSamples);
    std::uint32_t seed = 31;
    if (m_events.beforeListening) {
        m_events.beforeListening();
    }
    {
        std::unique_lock lock(m_mutex);
        m_wanted.wait(lock,
                      [this] { return m_stop || m_state.rulesActive || m_state.dictationActive; });
    }
    while (!m_stop) {
        if (Status read = m_source->read(chunk); !read) {
            if (!m_stop && m_events.failed) {
                m_events.failed(read);
            }
            return;
        }
        {
            std::lock_guard lock(m_mutex);
            if (m_changed) {
                m_session.setListeningState(m_state);
                m_changed = false;
            }
        }
        if (auto code = meter.feed(chunk.data(), chunk.size(), m_session.inSpeech())) {
            if (m_events.interference) {
                m_events.interference(*code);
            }
        }
        fillDigitalSilence(chunk.data(), chunk.size(), seed);
        auto outcomes = m_session.feed(chunk.data(), chunk.size());
        if (!outcomes) {
            if (m_events.failed) {
                m_events.failed(outcomes.error());
            }
            return;
        }
        for (SpeechOutcome outcome : *outcomes) {
            if (outcome.kind != SpeechOutcome::Kind::Hypothesis) {
                if (auto code = meter.utteranceEnded(); code && m_events.interference) {
                    m_events.interference(*code);
                }
                if (meter.lastUtteranceSteady()) {
                    // A tone or a ring: no speech whose fit says anything.
                    outcome.poorFit.reset();
                }
            }
            if (m_events.outcome) {
                m_events.outcome(outcome);
            }
        }
    }
}

} // namespace kelvo::speech
