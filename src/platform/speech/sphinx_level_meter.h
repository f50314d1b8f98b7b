#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kelvo::speech {

/// Watches the sound's level and names what is wrong with it, as the
/// interference codes (interference::*) do: a dead input, speech that
/// clips, speech too faint to recognise well.
class SpeechLevelMeter {
public:
    /// Samples of dead-flat input before it counts as no signal.
    static constexpr std::size_t kNoSignalSamples = 2 * 16000;
    /// Share of clipped speech samples that is too loud.
    static constexpr double kClippedShare = 0.005;
    /// Loudest 100 ms of an utterance below this RMS is too quiet.
    static constexpr double kQuietRms = 250.0;
    static constexpr std::size_t kWindowSamples = 1600;

    /// Looks at the next samples; `inSpeech` while an utterance is heard.
    /// Returns kNoSignal once when the input goes dead.
    std::optional<int> feed(const std::int16_t* samples, std::size_t count, bool inSpeech);

    /// At the end of an utterance: kTooLoud or kTooQuiet, or nothing.
    std::optional<int> utteranceEnded();

private:
    void closeWindow();

    std::size_t m_flatRun = 0;
    bool m_deadReported = false;
    std::size_t m_speechSamples = 0;
    std::size_t m_clipped = 0;
    double m_loudestRms = 0.0;
    // The speech of the current 100 ms, however the sound is chunked.
    double m_windowEnergy = 0.0;
    std::size_t m_windowSamples = 0;
};

} // namespace kelvo::speech
