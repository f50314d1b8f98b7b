#pragma once

#include "platform/status.h"

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace kelvo::speech {

/// The recognizer's sample rate.
inline constexpr int kSpeechSampleRate = 16000;

/// Decodes a RIFF WAV file's bytes (PCM 8, 16, 24 or 32-bit, or 32-bit float;
/// any rate and channel count) into 16 kHz mono 16-bit samples. Fails with a
/// clear message on anything else.
Result<std::vector<std::int16_t>> decodeWavAsSpeech(std::string_view bytes);

/// Reads and decodes a WAV file.
Result<std::vector<std::int16_t>> readWavAsSpeech(const std::filesystem::path& path);

/// Band-limited resampling of mono samples from one rate to another.
std::vector<float> resample(const std::vector<float>& input, int fromRate, int toRate);

/// Writes 16 kHz mono samples as a WAV file (for tools and tests).
Status writeSpeechWav(const std::filesystem::path& path, const std::vector<std::int16_t>& samples);

} // namespace kelvo::speech
