#include "platform/speech/sphinx_tool_runner.h"

#include "platform/atomic_file.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kelvo::speech {
namespace {

std::string tailOf(const std::filesystem::path& logFile) {
    Result<std::string> text = readWholeFile(logFile);
    if (!text || text->empty()) {
        return {};
    }
    constexpr std::size_t kShown = 300;
    std::string tail = text->size() > kShown ? text->substr(text->size() - kShown) : *text;
    while (!tail.empty() && (tail.back() == '\n' || tail.back() == ' ')) {
        tail.pop_back();
    }
    return ": " + tail;
}

} // namespace

Status runTool(const std::vector<std::string>& arguments, const std::filesystem::path& logFile,
               const std::atomic<bool>& cancel, std::chrono::seconds limit) {
    if (arguments.empty()) {
        return Status::failure(EINVAL, "no program to run");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    int spawned = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return Status::failure(spawned,
                               "cannot run " + arguments[0] + ": " + std::strerror(spawned));
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    for (;;) {
        pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            break;
        }
        if (done < 0 && errno != EINTR) {
            return Status::failure(errno, "lost " + arguments[0]);
        }
        const bool cancelled = cancel.load();
        if (cancelled || std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            return cancelled ? Status::failure(kCancelled, "cancelled")
                             : Status::failure(ETIMEDOUT, arguments[0] + " took too long");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return Status::failure(EIO, arguments[0] + " failed" + tailOf(logFile));
    }
    return {};
}

} // namespace kelvo::speech
