#pragma once

namespace kelvo {

/// Builds the program's pieces, runs the start-up inside the Qt event loop
/// and returns the exit code.
int runApplication(int argc, char** argv);

} // namespace kelvo
