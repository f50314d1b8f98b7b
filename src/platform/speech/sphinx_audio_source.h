#pragma once

#include "platform/speech/audio_input_setting.h"
#include "platform/status.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

namespace kelvo::speech {

/// Where the recognizer's 16 kHz mono samples come from. Each read blocks
/// about as long as a microphone would take to deliver the samples.
class SpeechAudioSource {
public:
    virtual ~SpeechAudioSource() = default;

    /// Fills `samples` (its size is the chunk wanted). Fails when the input
    /// broke; the caller reports it and stops listening.
    virtual Status read(std::vector<std::int16_t>& samples) = 0;
};

/// Opens the input a setting names: the default PulseAudio source, a WAV
/// file played at real-time pace and then silence, or a fifo of raw
/// samples. Fails when the input is missing or unusable.
Result<std::unique_ptr<SpeechAudioSource>> openSpeechAudioSource(const AudioInputSetting& setting);

/// Samples played once, at real-time pace unless `paced` is false, then a
/// quiet noise floor forever, as a microphone in a quiet room delivers.
std::unique_ptr<SpeechAudioSource> makeSampleSource(std::vector<std::int16_t> samples,
                                                    bool paced = true);

/// Low noise standing in for silence (digital zeros upset level checks and
/// the recognizer's noise estimate alike).
void fillWithRoomNoise(std::int16_t* samples, std::size_t count, std::uint32_t& seed);

/// Gives each 10 ms of digital silence inside the sound (a pause in a file,
/// an input that gates its quiet) the room's noise: the recognizer hears
/// such a pause as no silence it knows.
void fillDigitalSilence(std::int16_t* samples, std::size_t count, std::uint32_t& seed);

} // namespace kelvo::speech
