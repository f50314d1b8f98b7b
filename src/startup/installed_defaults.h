#pragma once

#include "platform/status.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kelvo {

/// The folder of the program folder that holds the files a new data folder
/// starts with (settings, catalogue, grammars, custom-command store).
inline constexpr const char* kInstalledDefaultsFolder = "defaults";

/// Copies every file of defaultsFolder into dataFolder that is not there
/// yet (made when missing); a file already there is never touched. Each
/// copy is atomic. names receives the files copied. Fails when the defaults
/// are missing or a copy fails.
Status installMissingDefaults(const std::filesystem::path& defaultsFolder,
                              const std::filesystem::path& dataFolder,
                              std::vector<std::string>& names);

} // namespace kelvo
