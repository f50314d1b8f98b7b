#include "platform/process_table.h"

#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kelvo {
namespace {

namespace fs = std::filesystem;

bool listed(const std::vector<ProcessInfo>& processes, pid_t pid, const std::string& name) {
    return std::any_of(processes.begin(), processes.end(), [&](const ProcessInfo& p) {
        return p.pid == pid && p.executableName == name;
    });
}

TEST(ProcessTableTest, ListsOwnChildButNeverItself) {
    pid_t child = 0;
    char program[] = "/bin/sleep";
    char seconds[] = "30";
    char* argv[] = {program, seconds, nullptr};
    ASSERT_EQ(posix_spawn(&child, program, nullptr, nullptr, argv, environ), 0);

    auto table = makeProcProcessTable();
    const auto processes = table->listOwnProcesses();
    EXPECT_TRUE(listed(processes, child, "sleep"));
    EXPECT_TRUE(std::none_of(processes.begin(), processes.end(),
                             [](const ProcessInfo& p) { return p.pid == ::getpid(); }));

    EXPECT_TRUE(table->terminate(child));
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    EXPECT_FALSE(table->terminate(child));
}

TEST(ProcessTableTest, NeverTerminatesItselfOrNonsense) {
    auto table = makeProcProcessTable();
    EXPECT_FALSE(table->terminate(::getpid()));
    EXPECT_FALSE(table->terminate(0));
    EXPECT_FALSE(table->terminate(-1));
}

TEST(ProcessTableTest, NamesComeFromCommandLineOrShortName) {
    fakes::TempDir proc;
    ASSERT_TRUE(writeFileAtomically(proc / "101" / "cmdline",
                                    std::string("/opt/Player/player.exe\0--quiet\0", 31))
                    .ok());
    ASSERT_TRUE(writeFileAtomically(proc / "102" / "comm", "shortname\n").ok());
    ASSERT_TRUE(writeFileAtomically(proc / "self" / "comm", "skipped\n").ok());
    ASSERT_TRUE(writeFileAtomically(proc / "103x" / "comm", "skipped\n").ok());
    fs::create_directories(proc / "104"); // ended while listed: no name, left out
    ASSERT_TRUE(writeFileAtomically(proc / std::to_string(::getpid()) / "comm", "me\n").ok());

    auto processes = makeProcProcessTable(proc.path())->listOwnProcesses();
    std::sort(processes.begin(), processes.end(),
              [](const ProcessInfo& a, const ProcessInfo& b) { return a.pid < b.pid; });
    ASSERT_EQ(processes.size(), 2u);
    EXPECT_EQ(processes[0].pid, 101);
    EXPECT_EQ(processes[0].executableName, "player.exe");
    EXPECT_EQ(processes[1].pid, 102);
    EXPECT_EQ(processes[1].executableName, "shortname");
}

TEST(ProcessTableTest, MissingProcFolderGivesEmptyList) {
    fakes::TempDir dir;
    EXPECT_TRUE(makeProcProcessTable(dir / "none")->listOwnProcesses().empty());
}

} // namespace
} // namespace kelvo
