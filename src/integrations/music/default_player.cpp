#include "integrations/music/default_player.h"

#include "integrations/music/music_player.h"
#include "platform/default_applications.h"

#include <filesystem>
#include <vector>

namespace kelvo {

namespace {

/// Audio types a player is chosen for, the commonest first.
constexpr const char* kAudioTypes[] = {"audio/mpeg", "audio/x-vorbis+ogg", "audio/ogg",
                                       "audio/flac", "audio/x-wav"};

} // namespace

std::optional<DesktopEntry> defaultAudioPlayer(const Environment& env) {
    for (const char* type : kAudioTypes) {
        if (auto entry = defaultApplicationFor(env, type)) {
            return entry;
        }
    }
    return std::nullopt;
}

PlayerIdentity defaultAudioPlayerIdentity(const Environment& env) {
    const std::optional<DesktopEntry> entry = defaultAudioPlayer(env);
    if (!entry) {
        return {};
    }
    auto command = execArguments(*entry);
    return {entry->file.stem().string(),
            command ? std::filesystem::path(command->front()).filename().string() : ""};
}

Result<ProgramRun> startDefaultPlayer(const Environment& env, Shell& shell) {
    if (const std::optional<DesktopEntry> entry = defaultAudioPlayer(env)) {
        const std::string name = entry->name.empty() ? entry->file.stem().string() : entry->name;
        auto command = execArguments(*entry);
        if (!command) {
            return Status::failure(music_error::kNoPlayer,
                                   "The music player " + name +
                                       " cannot be started: " + command.error().message());
        }
        const std::vector<std::string> arguments(command->begin() + 1, command->end());
        StartedProgram started = shell.startWatchedProgram(command->front(), arguments);
        if (!shellSucceeded(started.result)) {
            return Status::failure(music_error::kNoPlayer,
                                   "The music player " + name + " could not be started (" +
                                       command->front() + ", error " +
                                       std::to_string(started.result) + ").");
        }
        return started.run;
    }
    return Status::failure(music_error::kNoPlayer,
                           "No music player appears to be installed.  Please install a music "
                           "player, or choose one for audio files, before using a Music command.");
}

} // namespace kelvo
