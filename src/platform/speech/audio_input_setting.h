#pragma once

#include "platform/status.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kelvo::speech {

/// Where the recognizer's sound comes from.
enum class AudioSourceKind {
    /// The default PulseAudio source (the microphone).
    Default,
    /// A WAV file of any rate, fed at real-time pace and followed by silence.
    File,
    /// A named pipe of raw 16 kHz mono 16-bit little-endian samples.
    Fifo,
    /// A PulseAudio source chosen by name (`path` holds the name).
    Pulse,
};

struct AudioInputSetting {
    AudioSourceKind kind = AudioSourceKind::Default;
    std::filesystem::path path;

    /// The setting as written in the file: "default", "file:PATH", "fifo:PATH",
    /// "pulse:NAME".
    std::string text() const;
};

/// Parses a `Source` value: "default" or empty, "file:PATH", "fifo:PATH",
/// "pulse:NAME".
/// Anything else, or a file or fifo without a path, is an error.
Result<AudioInputSetting> parseAudioSource(std::string_view value);

/// Reads `[AudioInput]` `Source` from the text of a speech.ini. A missing
/// section or key means the default source.
Result<AudioInputSetting> parseAudioInputSetting(std::string_view iniText);

/// Reads the setting from the file; a missing file means the default source,
/// an unreadable one is an error.
Result<AudioInputSetting> readAudioInputSetting(const std::filesystem::path& iniFile);

/// "$XDG_CONFIG_HOME/kelvo/speech.ini", or "$HOME/.config/kelvo/speech.ini"
/// when XDG_CONFIG_HOME is unset or empty. Null arguments count as unset.
std::filesystem::path speechSettingsPath(const char* xdgConfigHome, const char* home);

/// speechSettingsPath from the environment.
std::filesystem::path speechSettingsPath();

} // namespace kelvo::speech
