#pragma once

#include "platform/speech/sphinx_run_program.h"
#include "platform/speech/sphinx_wav.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// What espeak-ng says for the text, as 16 kHz mono samples; empty when it
/// cannot be run.
inline std::vector<std::int16_t> spokenClip(const std::string& text,
                                            const std::string& voice = "en-us", int speed = 165) {
    auto wav = speech::runProgramForOutput(
        {"espeak-ng", "-v", voice, "-s", std::to_string(speed), "--stdout", text});
    if (!wav) {
        return {};
    }
    auto samples = speech::decodeWavAsSpeech(*wav);
    return samples ? std::move(samples).value() : std::vector<std::int16_t>{};
}

} // namespace kelvo::fakes
