#pragma once

#include "platform/speech/sphinx_audio_source.h"
#include "platform/speech/sphinx_level_meter.h"
#include "platform/speech/sphinx_session.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace kelvo::speech {

/// What the listener reports, from its own thread.
struct ListenerEvents {
    /// Runs on the listener's thread before it reads any sound.
    std::function<void()> beforeListening;
    std::function<void(const SpeechOutcome&)> outcome;
    std::function<void(int code)> interference;
    /// The input or the recognizer broke; the listener has stopped.
    std::function<void(const Status&)> failed;
};

/// The decoder thread: reads the audio input in 20 ms chunks, decodes it
/// with the listening state in force and reports each utterance. It starts
/// reading once there is something to listen for: a file played as the
/// microphone would otherwise be over before the first grammar is ready.
/// While free dictation waits for its vocabulary (pendingVocabulary), the
/// sound is held, up to kLongestHeldSamples, and heard once it is ready:
/// the words said at once are heard as the vocabulary's.
class SphinxListener {
public:
    SphinxListener(SphinxDecoder& commands, std::function<SphinxDecoder*()> dictation,
                   std::mutex& wordsMutex, std::shared_ptr<SpeechAudioSource> source,
                   ListenerEvents events);
    /// Stops the thread; no event is reported after this returns.
    ~SphinxListener();
    SphinxListener(const SphinxListener&) = delete;
    SphinxListener& operator=(const SphinxListener&) = delete;

    /// Thread-safe; heard from the next utterance on.
    void setListeningState(ListeningState state);

    /// Short, so the end of a phrase is seen soon after it is heard.
    static constexpr std::size_t kChunkSamples = 320;
    /// The most sound held for a vocabulary (30 s); past it the general
    /// model hears it, and the vocabulary takes over when it is ready.
    static constexpr std::size_t kLongestHeldSamples = 480000;

private:
    void run();
    /// Takes up the state wanted, and the vocabulary waited for once ready.
    void updateState();
    /// Decodes the sound and reports what it held; false once stopped.
    bool hear(std::int16_t* samples, std::size_t count);

    SphinxSession m_session;
    std::shared_ptr<SpeechAudioSource> m_source;
    ListenerEvents m_events;
    std::mutex m_mutex;
    std::condition_variable m_wanted;
    ListeningState m_state;
    bool m_changed = false;
    // The listener's thread only: the state the session has, the vocabulary
    // it waits for and the sound held meanwhile.
    ListeningState m_inForce;
    std::shared_ptr<const PendingVocabulary> m_awaited;
    std::vector<std::int16_t> m_held;
    /// The sound held reached kLongestHeldSamples: the general model hears
    /// until the vocabulary is ready.
    bool m_waitedTooLong = false;
    SpeechLevelMeter m_meter;
    std::uint32_t m_seed = 31;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace kelvo::speech
