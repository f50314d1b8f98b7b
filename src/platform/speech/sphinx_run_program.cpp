#include "platform/speech/sphinx_run_program.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kelvo::speech {

Result<std::string> runProgramForOutput(const std::vector<std::string>& arguments,
                                        const std::function<bool()>& stopped) {
    if (arguments.empty()) {
        return Status::failure(EINVAL, "no program to run");
    }
    if (stopped && stopped()) {
        return Status::failure(ECANCELED, arguments[0] + " was stopped");
    }
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return Status::failure(errno, std::string("pipe: ") + std::strerror(errno));
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    int spawned = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (spawned != 0) {
        ::close(pipeEnds[0]);
        return Status::failure(spawned,
                               "cannot run " + arguments[0] + ": " + std::strerror(spawned));
    }

    std::string output;
    char buffer[4096];
    bool killed = false;
    for (;;) {
        if (stopped) {
            pollfd ready{pipeEnds[0], POLLIN, 0};
            const int woke = ::poll(&ready, 1, 100);
            // Asked after output too: a program that never pauses is stopped as well.
            if (stopped()) {
                ::kill(pid, SIGKILL);
                killed = true;
                break;
            }
            if (woke <= 0) {
                continue;
            }
        }
        ssize_t n = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (n > 0) {
            output.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(pipeEnds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (killed) {
        return Status::failure(ECANCELED, arguments[0] + " was stopped");
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return Status::failure(EIO, arguments[0] + " failed");
    }
    return output;
}

} // namespace kelvo::speech
