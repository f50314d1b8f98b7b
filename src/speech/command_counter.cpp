#include "speech/command_counter.h"

#include <limits>

namespace kelvo {

void countCommand(SpeechState& state) {
    if (state.commandCounter < std::numeric_limits<std::int16_t>::max())
        ++state.commandCounter;
}

} // namespace kelvo
