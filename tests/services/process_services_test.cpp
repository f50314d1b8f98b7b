#include "services/process_services.h"

#include "fakes/fake_process_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace kelvo {
namespace {

using Pids = std::vector<pid_t>;

TEST(ProcessServicesTest, EndsEveryProcessWhoseNameEndsWithTheGivenOne) {
    fakes::FakeProcessTable table;
    table.processes = {{10, "iTunes.exe"},     {11, "bash"},       {12, "myitunes.exe"},
                       {13, "itunes.exe.bak"}, {14, "ITUNES.EXE"}, {15, "tunes.exe"}};
    EXPECT_EQ(killProcess(table, "itunes.exe"), 3);
    EXPECT_EQ(table.terminated, (Pids{10, 12, 14}));
}

TEST(ProcessServicesTest, GivenNameMatchesWithoutRegardToCase) {
    fakes::FakeProcessTable table;
    table.processes = {{20, "rhythmbox"}, {21, "gnome-shell"}};
    EXPECT_EQ(killProcess(table, "RhythmBox"), 1);
    EXPECT_EQ(table.terminated, (Pids{20}));
}

TEST(ProcessServicesTest, NeverEndsTheProgramItself) {
    fakes::FakeProcessTable table;
    table.processes = {{::getpid(), "services_process_services_test"}, {50, "x_test"}};
    EXPECT_EQ(killProcess(table, "_test"), 1);
    EXPECT_EQ(table.terminated, (Pids{50}));
}

TEST(ProcessServicesTest, EmptyNameEndsNothing) {
    fakes::FakeProcessTable table;
    table.processes = {{30, "anything"}};
    EXPECT_EQ(killProcess(table, ""), 0);
    EXPECT_TRUE(table.terminated.empty());
}

TEST(ProcessServicesTest, AProcessThatCannotBeEndedIsPassedOver) {
    // The table lists a process that is gone by the time it is ended.
    class VanishingTable : public fakes::FakeProcessTable {
    public:
        bool terminate(pid_t pid) override {
            terminated.push_back(pid);
            return pid != 40;
        }
    } table;
    table.processes = {{40, "player"}, {41, "player"}};
    EXPECT_EQ(killProcess(table, "player"), 1);
    EXPECT_EQ(table.terminated, (Pids{40, 41}));
}

} // namespace
} // namespace kelvo
