#pragma once

#include "platform/status.h"

#include <memory>

namespace kelvo {

/// Plays short sine tones on the default sound output without blocking the
/// caller.
class ToneOutput {
public:
    virtual ~ToneOutput() = default;

    /// Starts a tone of the frequency for the duration and returns at once.
    /// Tones asked for while one plays follow it in order. A tone that cannot
    /// be played (no sound server, bad values) is dropped silently: a beep is
    /// a courtesy, not something to stop for.
    virtual void playTone(int hertz, int milliseconds) = 0;

    /// The PulseAudio player: a worker thread that opens the default sink
    /// for each tone. Fails only when the thread cannot be started.
    static Result<std::unique_ptr<ToneOutput>> create();
};

} // namespace kelvo
