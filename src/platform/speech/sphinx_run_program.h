#pragma once

#include "platform/status.h"

#include <string>
#include <vector>

namespace kelvo::speech {

/// Runs a program with an argument list (never through a shell), looked up
/// on PATH, and returns what it wrote to its standard output. Fails when it
/// cannot be started or does not exit with status 0.
Result<std::string> runProgramForOutput(const std::vector<std::string>& arguments);

} // namespace kelvo::speech
