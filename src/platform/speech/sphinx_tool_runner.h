#pragma once

#include "platform/status.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace kelvo::speech {

/// Error number of a step stopped because the user cancelled it.
inline constexpr int kCancelled = ECANCELED;

/// Runs a program with an argument list (never through a shell): a path
/// with a slash is run as it stands, a bare name is looked up on PATH. Its
/// output and errors go to `logFile` (the message of a failure quotes the
/// end of it). Stops the program and fails with kCancelled as soon as
/// `cancel` turns true, and with ETIMEDOUT after `limit`. Fails when it
/// cannot be started or does not exit with status 0.
Status runTool(const std::vector<std::string>& arguments, const std::filesystem::path& logFile,
               const std::atomic<bool>& cancel,
               std::chrono::seconds limit = std::chrono::seconds(600));

} // namespace kelvo::speech
