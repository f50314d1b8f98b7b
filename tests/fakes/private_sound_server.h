#pragma once

#include "fakes/temp_dir.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace kelvo::fakes {

/// A sound server of the test's own whose only outputs are null sinks (by
/// default one named "recorder"), so what plays can be recorded from their
/// monitors.
class PrivateSoundServer {
public:
    explicit PrivateSoundServer(const std::vector<std::string>& sinks = {"recorder"}) {
        const std::filesystem::path runtime = m_dir / "runtime";
        std::filesystem::create_directories(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        m_socket = m_dir / "native";
        std::vector<std::string> arguments = {
            "pulseaudio",
            "--daemonize=no",
            "--exit-idle-time=-1",
            "-n",
            "--disable-shm=true",
            "--load=module-native-protocol-unix auth-anonymous=1 socket=" + m_socket.string()};
        for (const std::string& sink : sinks) {
            arguments.push_back("--load=module-null-sink sink_name=" + sink);
        }
        std::vector<std::string> environment = {"HOME=" + m_dir.path().string(),
                                                "XDG_RUNTIME_DIR=" + runtime.string(),
                                                "PATH=/usr/bin:/bin"};
        std::vector<char*> argv, envp;
        for (auto& a : arguments) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        for (auto& e : environment) {
            envp.push_back(e.data());
        }
        envp.push_back(nullptr);
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
        // A group of its own, so whatever the server forks ends with it.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&attributes, 0);
        if (posix_spawnp(&m_pid, "pulseaudio", &quiet, &attributes, argv.data(), envp.data()) !=
            0) {
            m_pid = 0;
        }
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&quiet);
        for (int i = 0; i < 200 && m_pid != 0 && !std::filesystem::exists(m_socket); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    ~PrivateSoundServer() {
        if (m_pid != 0) {
            ::kill(-m_pid, SIGTERM);
            int status = 0;
            ::waitpid(m_pid, &status, 0);
        }
    }

    bool running() const { return m_pid != 0 && std::filesystem::exists(m_socket); }
    std::string address() const { return "unix:" + m_socket.string(); }

private:
    TempDir m_dir;
    std::filesystem::path m_socket;
    pid_t m_pid = 0;
};

} // namespace kelvo::fakes
