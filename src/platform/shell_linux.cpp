#include "platform/shell.h"

#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kelvo {

namespace fs = std::filesystem;

namespace {

int resultOfErrno(int error) {
    switch (error) {
    case ENOENT:
        return shell_result::kFileNotFound;
    case ENOTDIR:
        return shell_result::kPathNotFound;
    case EACCES:
    case EPERM:
    case ENOEXEC:
        return shell_result::kAccessDenied;
    case ENOMEM:
    case EAGAIN:
        return shell_result::kOutOfMemory;
    default:
        return shell_result::kFailed;
    }
}

// The child starts in a session of its own with default signal handling,
// so it outlives the program and ignores nothing the program ignored.
StartedProgram spawnDetached(const fs::path& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> argvText;
    argvText.push_back(program.string());
    argvText.insert(argvText.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : argvText) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) {
        return {shell_result::kOutOfMemory, {}};
    }
    sigset_t noSignals;
    sigset_t allSignals;
    sigemptyset(&noSignals);
    sigfillset(&allSignals);
    posix_spawnattr_setsigmask(&attributes, &noSignals);
    posix_spawnattr_setsigdefault(&attributes, &allSignals);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int error =
        posix_spawn(&pid, argvText.front().c_str(), nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        return {resultOfErrno(error), {}};
    }
    // Reap the child whenever it ends; the program never waits for it.
    auto running = std::make_shared<std::atomic<bool>>(true);
    try {
        std::thread([pid, running] {
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            running->store(false);
        }).detach();
    } catch (const std::system_error&) {
        // No thread to spare: the child is still started, and reaped when
        // the program ends; whether it runs can't be told, so it counts as
        // ended rather than kept from being started again.
        running->store(false);
    }
    return {shell_result::kStarted, ProgramRun(std::move(running))};
}

class LinuxShell final : public Shell {
public:
    explicit LinuxShell(Environment env) : m_env(std::move(env)) {}

    int openDocument(const std::string& target) override {
        if (target.empty()) {
            return shell_result::kFileNotFound;
        }
        std::string argument = target;
        if (!looksLikeAddress(target)) {
            std::error_code ec;
            if (!fs::exists(target, ec)) {
                return shell_result::kFileNotFound;
            }
            // An absolute path can't be taken for an option of the handler.
            argument = fs::absolute(target, ec).string();
        }
        auto opener = findOnPath("xdg-open", searchPath());
        if (!opener) {
            return shell_result::kNoAssociation;
        }
        return spawnDetached(*opener, {argument}).result;
    }

    int startProgram(const std::string& program,
                     const std::vector<std::string>& arguments) override {
        return startWatchedProgram(program, arguments).result;
    }

    StartedProgram startWatchedProgram(const std::string& program,
                                       const std::vector<std::string>& arguments) override {
        if (program.empty()) {
            return {shell_result::kFileNotFound, {}};
        }
        auto executable = findOnPath(program, searchPath());
        if (!executable) {
            std::error_code ec;
            return {fs::exists(program, ec) ? shell_result::kAccessDenied
                                            : shell_result::kFileNotFound,
                    {}};
        }
        return spawnDetached(*executable, arguments);
    }

private:
    std::string searchPath() const {
        return nonEmpty(m_env, "PATH").value_or("/usr/local/bin:/usr/bin:/bin");
    }

    Environment m_env;
};

} // namespace

bool isProgramFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

std::optional<fs::path> findOnPath(const std::string& name, const std::string& path) {
    const auto usable = [](const fs::path& candidate) { return isProgramFile(candidate); };
    if (name.empty()) {
        return std::nullopt;
    }
    if (name.find('/') != std::string::npos) {
        return usable(name) ? std::optional<fs::path>(name) : std::nullopt;
    }
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(':', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        const std::string folder = path.substr(start, end - start);
        start = end + 1;
        // An empty entry would mean the working folder; we never search it.
        if (folder.empty()) {
            continue;
        }
        const fs::path candidate = fs::path(folder) / name;
        if (usable(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::unique_ptr<Shell> makeLinuxShell(Environment env) {
    return std::make_unique<LinuxShell>(std::move(env));
}

bool looksLikeAddress(const std::string& target) {
    const auto colon = target.find(':');
    // One letter before the colon is a drive letter, not a scheme.
    if (colon == std::string::npos || colon < 2) {
        return false;
    }
    const auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!isAlpha(target[0])) {
        return false;
    }
    for (size_t i = 1; i < colon; ++i) {
        const char c = target[i];
        if (!isAlpha(c) && !(c >= '0' && c <= '9') && c != '+' && c != '.' && c != '-') {
            return false;
        }
    }
    return true;
}

} // namespace kelvo
