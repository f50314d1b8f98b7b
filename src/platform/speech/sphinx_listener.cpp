#include "platform/speech/sphinx_listener.h"

#include "platform/speech/sphinx_vocabulary_compiler.h"

#include <algorithm>

namespace kelvo::speech {
namespace {

bool hearsVocabulary(const ListeningState& state) {
    return state.dictationActive && state.dictation == DictationTopic::Free;
}

} // namespace

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

void SphinxListener::updateState() {
    {
        std::lock_guard lock(m_mutex);
        if (m_changed) {
            // A vocabulary waited for before is superseded with the state.
            m_inForce = m_state;
            m_awaited = std::move(m_inForce.pendingVocabulary);
            m_waitedTooLong = false;
            m_session.setListeningState(m_inForce);
            m_changed = false;
        }
    }
    if (m_awaited) {
        if (auto ready = m_awaited->grammar()) {
            m_inForce.vocabulary = std::move(ready);
            m_awaited.reset();
            m_session.setListeningState(m_inForce);
        }
    }
}

bool SphinxListener::hear(std::int16_t* samples, std::size_t count) {
    if (auto code = m_meter.feed(samples, count, m_session.inSpeech())) {
        if (m_events.interference) {
            m_events.interference(*code);
        }
    }
    fillDigitalSilence(samples, count, m_seed);
    auto outcomes = m_session.feed(samples, count);
    if (!outcomes) {
        if (m_events.failed) {
            m_events.failed(outcomes.error());
        }
        return false;
    }
    for (SpeechOutcome outcome : *outcomes) {
        if (outcome.kind != SpeechOutcome::Kind::Hypothesis) {
            if (auto code = m_meter.utteranceEnded(); code && m_events.interference) {
                m_events.interference(*code);
            }
            if (m_meter.lastUtteranceSteady()) {
                // A tone or a ring: no speech whose fit says anything.
                outcome.poorFit.reset();
            }
        }
        if (m_events.outcome) {
            m_events.outcome(outcome);
        }
    }
    return true;
}

void SphinxListener::run() {
    std::vector<std::int16_t> chunk(kChunkSamples);
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
        updateState();
        const bool holding = m_awaited && hearsVocabulary(m_inForce) && !m_waitedTooLong;
        if (holding) {
            m_held.insert(m_held.end(), chunk.begin(), chunk.end());
            m_waitedTooLong = m_held.size() >= kLongestHeldSamples;
            if (!m_waitedTooLong) {
                continue;
            }
        }
        // What was held first, in the chunks a microphone gives; a chunk
        // just held is heard with it, not again after it.
        for (std::size_t at = 0; at < m_held.size(); at += kChunkSamples) {
            if (!hear(m_held.data() + at, std::min(kChunkSamples, m_held.size() - at))) {
                return;
            }
        }
        m_held.clear();
        if (!holding && !hear(chunk.data(), chunk.size())) {
            return;
        }
    }
}

} // namespace kelvo::speech
