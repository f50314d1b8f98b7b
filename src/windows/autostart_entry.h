#pragma once

#include "platform/status.h"

#include <filesystem>
#include <string>

namespace kelvo {

/// The desktop entry that starts the program at log-in, in the autostart
/// folder ($XDG_CONFIG_HOME/autostart).
inline constexpr const char* kAutostartFileName = "Kelvo.desktop";

std::filesystem::path autostartEntryPath(const std::filesystem::path& autostartFolder);

/// True when the program's entry is in the autostart folder.
bool autostartEntryExists(const std::filesystem::path& autostartFolder);

/// The entry's text for a program at programPath, quoted for Exec.
std::string autostartEntryText(const std::filesystem::path& programPath);

/// Writes the entry (whole or not at all), creating the folder if missing.
Status installAutostartEntry(const std::filesystem::path& autostartFolder,
                             const std::filesystem::path& programPath);

/// Removes the entry when it exists; a missing entry is no failure.
Status removeAutostartEntry(const std::filesystem::path& autostartFolder);

} // namespace kelvo
