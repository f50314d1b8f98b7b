#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kelvo::speech {

/// Watches the sound's level and names what is wrong with it, as the
/// interference codes (interference::*) do: a dead input, speech that
/// clips, speech too faint to recognise well.
class SpeechLevelMeter {
public:
    /// Samples of input at or below the floor before it counts as no signal.
    static constexpr std::size_t kNoSignalSamples = 2 * 16000;
    /// The floor: a chunk whose samples span no more than this is no sound.
    /// A muted or unplugged input gives zeros or a step of jitter; even a
    /// quiet room moves a microphone by more.
    static constexpr int kFloorSpan = 4;
    /// Samples of live input after which a dead input is back.
    static constexpr std::size_t kBackSamples = 1600;
    /// Share of clipped speech samples that is too loud.
    static constexpr double kClippedShare = 0.005;
    /// Loudest 100 ms of an utterance below this RMS is too quiet.
    static constexpr double kQuietRms = 250.0;
    static constexpr std::size_t kWindowSamples = 1600;

    /// Looks at the next samples; `inSpeech` while an utterance is heard.
    /// Returns kNoSignal once when the input goes dead, and kNone once when
    /// it is live: first heard, or back after being dead.
    std::optional<int> feed(const std::int16_t* samples, std::size_t count, bool inSpeech);

    /// At the end of an utterance: kTooLoud or kTooQuiet, or nothing.
    std::optional<int> utteranceEnded();

    /// Whether the utterance just ended kept one level, as a tone, a beep
    /// or a ring does: half its 50 ms stretches within kSteadyDb of their
    /// median. Speech rises and falls with its syllables.
    bool lastUtteranceSteady() const { return m_lastSteady; }
    static constexpr double kSteadyDb = 3.0;
    static constexpr double kSteadyShare = 0.5;

private:
    void closeWindow();

    enum class Signal { Unknown, Live, Dead };
    std::size_t m_flatRun = 0;
    std::size_t m_liveRun = 0;
    Signal m_reported = Signal::Unknown;
    std::size_t m_speechSamples = 0;
    std::size_t m_clipped = 0;
    double m_loudestRms = 0.0;
    // The speech of the current 100 ms, however the sound is chunked.
    double m_windowEnergy = 0.0;
    std::size_t m_windowSamples = 0;
    // The level of each 50 ms of the utterance, in dB.
    std::vector<double> m_frameLevels;
    double m_frameEnergy = 0.0;
    std::size_t m_frameSamples = 0;
    bool m_lastSteady = false;
};

} // namespace kelvo::speech
