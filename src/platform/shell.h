#pragma once

#include "platform/environment.h"

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kelvo {

/// Results of the shell calls. Callers test "above 32" for success, so the
/// failure codes keep the meanings callers know.
namespace shell_result {
inline constexpr int kFailed = 0;
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kAccessDenied = 5;
inline constexpr int kOutOfMemory = 8;
inline constexpr int kNoAssociation = 31;
inline constexpr int kStarted = 42;
} // namespace shell_result

/// True when a shell result means success.
inline bool shellSucceeded(int result) {
    return result > 32;
}

/// Whether a program the shell started still runs. Copies share what they
/// know; the shell marks the run ended once the process has ended. A run
/// that names no process is never running.
class ProgramRun {
public:
    ProgramRun() = default;
    explicit ProgramRun(std::shared_ptr<const std::atomic<bool>> running)
        : m_running(std::move(running)) {}

    bool running() const { return m_running && m_running->load(); }

private:
    std::shared_ptr<const std::atomic<bool>> m_running;
};

/// A program the shell was asked to start.
struct StartedProgram {
    /// What startProgram returns for it.
    int result = shell_result::kFailed;
    /// Its process, when it started.
    ProgramRun run;
};

/// Opens addresses and documents and starts programs. Nothing goes through
/// a command interpreter, and no call waits for what it started.
class Shell {
public:
    virtual ~Shell() = default;

    /// Opens a web address or a document with the desktop's handler for it.
    /// Returns shell_result::kStarted when the handler started,
    /// kFileNotFound for a local file that does not exist, kNoAssociation
    /// when no handler can be found, another code of 32 or less otherwise.
    virtual int openDocument(const std::string& target) = 0;

    /// Starts a program (a path, or a name looked up on PATH) with the given
    /// arguments. Returns kStarted, or kFileNotFound when there is no such
    /// program, kAccessDenied when it may not be run, another code of 32 or
    /// less otherwise.
    virtual int startProgram(const std::string& program,
                             const std::vector<std::string>& arguments) = 0;

    /// Starts a program as startProgram does, for a caller that must not
    /// start it again while it runs: the run tells when its process ends.
    virtual StartedProgram startWatchedProgram(const std::string& program,
                                               const std::vector<std::string>& arguments) = 0;
};

/// The shell that hands documents to xdg-open and starts programs with
/// posix_spawn. Programs are looked up on the PATH of env; each started
/// child is waited for in the background, so none is left a zombie.
std::unique_ptr<Shell> makeLinuxShell(Environment env);

/// The executable that name means on the given PATH text (a name holding
/// "/" is taken as a path); nullopt when none is executable.
std::optional<std::filesystem::path> findOnPath(const std::string& name, const std::string& path);

/// True when path names a regular file the user may run.
bool isProgramFile(const std::filesystem::path& path);

/// True when the target looks like an address with a scheme ("https:",
/// "mailto:") rather than a file path.
bool looksLikeAddress(const std::string& target);

} // namespace kelvo
