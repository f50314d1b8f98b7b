#pragma once

#include "services/settings_file.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// The desktop's own programs that built-in phrases start.
enum class DesktopProgram {
    ControlPanel,
    Explorer,
    Calculator,
    MediaPlayer,
    ScreenDisplay,
    StartMenu
};

/// Settings section holding a command line per desktop program; a missing,
/// empty or "x" value means the default probed on PATH.
inline constexpr const char* kProgramsSection = "Programs";

/// How a desktop program is started.
struct ProgramLaunch {
    /// The name shown when it cannot be found ("Calculator").
    std::string displayName;
    /// Program and arguments; empty when nothing was found.
    std::vector<std::string> arguments;
    /// The start menu's default: tap the Super key instead of a program.
    bool superKey = false;
};

/// The settings key of the program.
std::string_view programKey(DesktopProgram program);

/// A command line split at blanks; double quotes group words with blanks
/// and are removed.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

/// The full path of a program: a name with a slash as it stands when it is
/// an executable file, a bare name looked up in the PATH value; empty when
/// not found.
std::string findProgram(std::string_view program, std::string_view pathVariable);

/// Chooses the command line of each desktop program: the settings' table
/// first, else the first default found on PATH.
class DesktopPrograms {
public:
    DesktopPrograms(const SettingsFile& settings, std::string pathVariable);

    ProgramLaunch resolve(DesktopProgram program) const;

private:
    const SettingsFile& m_settings;
    std::string m_path;
};

} // namespace kelvo
