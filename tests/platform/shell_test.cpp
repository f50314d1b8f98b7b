#include "platform/shell.h"

#include "fakes/fake_environment.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

void writeScript(const fs::path& file, const std::string& body) {
    ASSERT_TRUE(writeFileAtomically(file, "#!/bin/sh\n" + body).ok());
    ::chmod(file.c_str(), 0700);
}

// Waits (bounded) until a file written by a started child appears whole.
std::optional<std::string> awaitFile(const fs::path& file) {
    for (int i = 0; i < 500; ++i) {
        if (auto text = readWholeFile(file); text && text->ends_with("\n")) {
            return *text;
        }
        std::this_thread::sleep_for(10ms);
    }
    return std::nullopt;
}

// Children of this process that ended but were never waited for.
int zombieChildren() {
    int zombies = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        auto stat = readWholeFile(entry.path() / "stat");
        if (!stat) {
            continue;
        }
        const auto close = stat->rfind(')');
        if (close == std::string::npos || close + 4 >= stat->size()) {
            continue;
        }
        char state = 0;
        int parent = 0;
        if (std::sscanf(stat->c_str() + close + 2, "%c %d", &state, &parent) == 2 &&
            parent == ::getpid() && state == 'Z') {
            ++zombies;
        }
    }
    return zombies;
}

class ShellTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fs::path bin = dir / "bin";
    std::unique_ptr<Shell> shell = makeLinuxShell(fakes::environmentOf({{"PATH", bin.string()}}));

    void SetUp() override { fs::create_directories(bin); }
};

TEST_F(ShellTest, OpensAnAddressWithXdgOpenAsOneArgument) {
    writeScript(bin / "xdg-open",
                "printf '%s|%s\\n' \"$#\" \"$1\" > '" + (dir / "opened").string() + "'\n");
    const std::string address = "https://example.org/search?q=a b;echo hacked&x=$(id)";
    EXPECT_EQ(shell->openDocument(address), shell_result::kStarted);
    EXPECT_EQ(awaitFile(dir / "opened"), "1|" + address + "\n");
}

TEST_F(ShellTest, OpensAnExistingDocumentByItsAbsolutePath) {
    writeScript(bin / "xdg-open", "printf '%s\\n' \"$1\" > '" + (dir / "opened").string() + "'\n");
    ASSERT_TRUE(writeFileAtomically(dir / "-page.html", "<html/>").ok());
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    const int result = shell->openDocument("-page.html");
    fs::current_path(previous);
    EXPECT_EQ(result, shell_result::kStarted);
    // Never handed over in a form the handler could take for an option.
    EXPECT_EQ(awaitFile(dir / "opened"), (dir / "-page.html").string() + "\n");
}

TEST_F(ShellTest, MissingDocumentOrHandlerFails) {
    EXPECT_EQ(shell->openDocument((dir / "nothing.html").string()), shell_result::kFileNotFound);
    EXPECT_EQ(shell->openDocument(""), shell_result::kFileNotFound);
    // No xdg-open on this PATH.
    EXPECT_EQ(shell->openDocument("https://example.org"), shell_result::kNoAssociation);
    EXPECT_FALSE(shellSucceeded(shell->openDocument("https://example.org")));
}

TEST_F(ShellTest, StartsAProgramWithItsArgumentsUntouched) {
    writeScript(bin / "tool", "printf '%s|' \"$@\" > '" + (dir / "args").string() + "'; echo >> '" +
                                  (dir / "args").string() + "'\n");
    EXPECT_EQ(shell->startProgram("tool", {"a b", "$HOME", "'quoted'", ""}),
              shell_result::kStarted);
    EXPECT_EQ(awaitFile(dir / "args"), "a b|$HOME|'quoted'||\n");
}

TEST_F(ShellTest, StartProgramFailures) {
    EXPECT_EQ(shell->startProgram("no-such-tool", {}), shell_result::kFileNotFound);
    EXPECT_EQ(shell->startProgram((dir / "none").string(), {}), shell_result::kFileNotFound);
    EXPECT_EQ(shell->startProgram("", {}), shell_result::kFileNotFound);
    ASSERT_TRUE(writeFileAtomically(dir / "plain.txt", "not a program").ok());
    EXPECT_EQ(shell->startProgram((dir / "plain.txt").string(), {}), shell_result::kAccessDenied);
}

TEST_F(ShellTest, StartedChildrenAreReaped) {
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(shell->startProgram("/bin/true", {}), shell_result::kStarted);
    }
    const StartedProgram watched = shell->startWatchedProgram("/bin/true", {});
    ASSERT_EQ(watched.result, shell_result::kStarted);
    int zombies = -1;
    for (int i = 0; i < 500 && (zombies != 0 || watched.run.running()); ++i) {
        std::this_thread::sleep_for(10ms);
        zombies = zombieChildren();
    }
    EXPECT_EQ(zombies, 0);
    EXPECT_FALSE(watched.run.running()) << "the run ends with its process";
    EXPECT_FALSE(shell->startWatchedProgram("no-such-tool", {}).run.running());
}

TEST(FindOnPathTest, SearchesEachFolderInOrder) {
    fakes::TempDir dir;
    fs::create_directories(dir / "a");
    fs::create_directories(dir / "b");
    writeScript(dir / "b" / "tool", "exit 0\n");
    ASSERT_TRUE(writeFileAtomically(dir / "a" / "tool", "not executable").ok());
    const std::string path = (dir / "a").string() + "::" + (dir / "b").string();
    EXPECT_EQ(findOnPath("tool", path), dir / "b" / "tool");
    EXPECT_EQ(findOnPath("missing", path), std::nullopt);
    EXPECT_EQ(findOnPath((dir / "b" / "tool").string(), ""), dir / "b" / "tool");
    EXPECT_EQ(findOnPath((dir / "a" / "tool").string(), path), std::nullopt);
}

TEST(LooksLikeAddressTest, SchemesAreAddressesPathsAreNot) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"https://example.org", true},
        {"http://x", true},
        {"mailto:a@b.c", true},
        {"ftp://host/file", true},
        {"svn+ssh://h", true},
        {"/home/ann/page.html", false},
        {"page.html", false},
        {"C:\\Program Files", false},
        {"", false},
        {"9p://x", false},
        {"-x:y", false},
        {"a b:c", false},
    };
    for (const auto& [target, expected] : cases) {
        EXPECT_EQ(looksLikeAddress(target), expected) << target;
    }
}

} // namespace
} // namespace kelvo
