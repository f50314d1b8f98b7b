#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kelvo {

/// One running process as the process table shows it.
struct ProcessInfo {
    pid_t pid = 0;
    std::string executableName; // file name of its program, without folders
};

/// The processes of the user running the program.
class ProcessTable {
public:
    virtual ~ProcessTable() = default;

    /// The user's own processes, never the program itself. A process that
    /// ends while the table is read is left out.
    virtual std::vector<ProcessInfo> listOwnProcesses() const = 0;

    /// Asks the process to end. Returns false when it is the program itself,
    /// not the user's, or already gone.
    virtual bool terminate(pid_t pid) = 0;
};

/// The process table read from /proc (or another folder of the same shape).
std::unique_ptr<ProcessTable> makeProcProcessTable(std::filesystem::path procRoot = "/proc");

} // namespace kelvo
