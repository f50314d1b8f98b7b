#pragma once

#include "platform/tone_output.h"

#include <string>
#include <vector>

namespace kelvo::fakes {

/// Records the tones asked for, as "hertz/milliseconds".
class FakeToneOutput : public ToneOutput {
public:
    void playTone(int hertz, int milliseconds) override {
        tones.push_back(std::to_string(hertz) + "/" + std::to_string(milliseconds));
    }
    std::vector<std::string> tones;
};

} // namespace kelvo::fakes
