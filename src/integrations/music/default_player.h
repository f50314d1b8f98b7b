#pragma once

#include "platform/desktop_entry.h"
#include "platform/environment.h"
#include "platform/shell.h"
#include "platform/status.h"

#include <optional>
#include <string>

namespace kelvo {

/// The application the desktop names for audio files; nullopt when none
/// is set or installed.
std::optional<DesktopEntry> defaultAudioPlayer(const Environment& env);

/// How the user's default player is known once it runs: the desktop entry
/// name it gives on the bus (the entry's file name without ".desktop") and
/// the file name of the program its entry starts. Both empty when there is
/// no default player.
struct PlayerIdentity {
    std::string desktopEntry;
    std::string program;
};
PlayerIdentity defaultAudioPlayerIdentity(const Environment& env);

/// Starts the user's default audio player: the application the desktop
/// names for audio files, started from its desktop entry's Exec line with
/// an argument list, never through a shell, and not waited for; returns
/// its run, which tells whether its process still runs. Fails with
/// music_error::kNoPlayer and a message for the user when no player is set
/// or installed, or when it can't be started.
Result<ProgramRun> startDefaultPlayer(const Environment& env, Shell& shell);

} // namespace kelvo
