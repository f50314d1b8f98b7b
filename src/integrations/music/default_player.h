#pragma once

#include "platform/environment.h"
#include "platform/status.h"

namespace kelvo {

class Shell;

/// Starts the user's default audio player: the application the desktop
/// names for audio files, started from its desktop entry's Exec line with
/// an argument list, never through a shell, and not waited for. Fails with
/// music_error::kNoPlayer and a message for the user when no player is set
/// or installed, or when it can't be started.
Status startDefaultPlayer(const Environment& env, Shell& shell);

} // namespace kelvo
