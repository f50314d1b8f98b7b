#include "platform/process_table.h"

#include "platform/atomic_file.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

std::optional<pid_t> pidOf(const std::string& name) {
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (error != std::errc() || end != name.data() + name.size() || pid <= 0) {
        return std::nullopt;
    }
    return pid;
}

// The program's file name: from the exe link when it can be read, else
// from the first word of the command line, else the kernel's short name.
std::string executableNameOf(const fs::path& folder) {
    std::error_code ec;
    const fs::path exe = fs::read_symlink(folder / "exe", ec);
    if (!ec && !exe.empty()) {
        std::string name = exe.filename().string();
        constexpr std::string_view kDeleted = " (deleted)";
        if (name.ends_with(kDeleted)) {
            name.resize(name.size() - kDeleted.size());
        }
        return name;
    }
    if (auto cmdline = readWholeFile(folder / "cmdline"); cmdline && !cmdline->empty()) {
        const std::string first = cmdline->substr(0, cmdline->find('\0'));
        if (!first.empty()) {
            return fs::path(first).filename().string();
        }
    }
    if (auto comm = readWholeFile(folder / "comm")) {
        std::string name = *comm;
        while (!name.empty() && name.back() == '\n') {
            name.pop_back();
        }
        return name;
    }
    return {};
}

class ProcProcessTable final : public ProcessTable {
public:
    explicit ProcProcessTable(fs::path procRoot) : m_root(std::move(procRoot)) {}

    std::vector<ProcessInfo> listOwnProcesses() const override {
        std::vector<ProcessInfo> processes;
        std::error_code ec;
        fs::directory_iterator it(m_root, ec);
        if (ec) {
            return processes;
        }
        const pid_t self = ::getpid();
        for (const fs::directory_entry& entry : it) {
            const auto pid = pidOf(entry.path().filename().string());
            if (!pid || *pid == self) {
                continue;
            }
            struct stat info {};
            if (::stat(entry.path().c_str(), &info) != 0 || info.st_uid != ::getuid()) {
                continue;
            }
            std::string name = executableNameOf(entry.path());
            if (!name.empty()) {
                processes.push_back({*pid, std::move(name)});
            }
        }
        return processes;
    }

    bool terminate(pid_t pid) override {
        if (pid <= 0 || pid == ::getpid()) {
            return false;
        }
        struct stat info {};
        const fs::path folder = m_root / std::to_string(pid);
        if (::stat(folder.c_str(), &info) != 0 || info.st_uid != ::getuid()) {
            return false;
        }
        return ::kill(pid, SIGTERM) == 0;
    }

private:
    fs::path m_root;
};

} // namespace

std::unique_ptr<ProcessTable> makeProcProcessTable(fs::path procRoot) {
    return std::make_unique<ProcProcessTable>(std::move(procRoot));
}

} // namespace kelvo
