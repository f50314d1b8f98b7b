#pragma once

#include "speech/speech_state.h"

namespace kelvo {

/// Counts one carried-out command toward the next grammar reload. The count
/// stops at its largest value rather than wrapping negative, which would
/// keep the grammars from ever being reloaded again.
void countCommand(SpeechState& state);

} // namespace kelvo
