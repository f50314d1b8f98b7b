#pragma once

#include "platform/speech/audio_input_setting.h"
#include "platform/status.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelvo::speech {

/// A sound input the user can choose.
struct AudioSourceInfo {
    /// The PulseAudio source name (kept in the profile).
    std::string name;
    /// What the sound server calls it.
    std::string description;
};

/// The PulseAudio sources that record (the monitors of outputs left out).
/// Fails when the sound server cannot be reached.
Result<std::vector<AudioSourceInfo>> listAudioSources();

/// Records from one input on a thread of its own.
class SoundCapture {
public:
    virtual ~SoundCapture() = default;

    /// Starts recording from the input, stopping a capture that runs.
    /// `onLevel` gets the peak (0 to 1) of every 100 ms, from the capture
    /// thread. Fails when the input cannot be opened.
    virtual Status start(const AudioInputSetting& input, std::function<void(double)> onLevel) = 0;

    /// Stops and gives what was recorded since start (16 kHz mono).
    virtual std::vector<std::int16_t> stop() = 0;
};

std::unique_ptr<SoundCapture> makeSoundCapture();

/// Tells which of a few phrases was said in a recording.
class PhraseCheck {
public:
    virtual ~PhraseCheck() = default;

    /// The phrase the recognizer heard in the samples, or an empty text
    /// when it heard none of them. Fails when it cannot decode.
    virtual Result<std::string> heard(const std::vector<std::int16_t>& samples,
                                      const std::vector<std::string>& phrases) = 0;
};

/// A check with a decoder of its own on the installed model, made on first
/// use. `supplementaryDictionary` holds the program's own words.
std::unique_ptr<PhraseCheck> makeSphinxPhraseCheck(std::string supplementaryDictionary);

} // namespace kelvo::speech
