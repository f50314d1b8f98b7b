#pragma once

#include "platform/status.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace kelvo {

/// Plays one sound file on the default sound output; the sound plays on
/// the player's own threads while the caller goes on. Calls may come from
/// any one thread at a time.
class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;

    /// Loads the file, replacing any file loaded before, ready to play from
    /// its start. False when the file is missing or cannot be played.
    virtual bool load(const std::filesystem::path& file) = 0;

    /// Starts playing the loaded file and returns at once. False when
    /// nothing is loaded or playing cannot start.
    virtual bool play() = 0;

    /// The loudness as a factor of full, 0 (silent) to 1 (full).
    virtual bool setVolume(double factor) = 0;

    /// The balance, -1 (left only) through 0 (centre) to 1 (right only).
    virtual bool setBalance(double position) = 0;

    /// The speed as a factor of normal; 0 or less is refused (false).
    virtual bool setRate(double factor) = 0;

    /// Moves to seconds from the start. False when nothing is loaded.
    virtual bool seek(double seconds) = 0;

    /// The loaded file's length in seconds; nothing when unknown.
    virtual std::optional<double> length() = 0;

    /// The GStreamer player. Fails when GStreamer cannot be set up; the
    /// first call may take a while as GStreamer reads its plugins.
    static Result<std::unique_ptr<MediaPlayer>> create();
};

} // namespace kelvo
