#pragma once

#include "platform/status.h"

#include <functional>
#include <string>
#include <vector>

namespace kelvo::speech {

/// Runs a program with an argument list (never through a shell), looked up
/// on PATH, and returns what it wrote to its standard output. Fails when it
/// cannot be started or does not exit with status 0. With `stopped`, asked
/// every tenth of a second: once it says so, the program is killed and the
/// call fails with ECANCELED.
Result<std::string> runProgramForOutput(const std::vector<std::string>& arguments,
                                        const std::function<bool()>& stopped = {});

} // namespace kelvo::speech
