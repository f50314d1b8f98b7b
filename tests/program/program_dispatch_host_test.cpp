#include "program/program_dispatch_host.h"

#include "fakes/fake_shell.h"
#include "services/error_sink.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

class ProgramDispatchHostTest : public ::testing::Test {
protected:
    ProgramDispatchHost makeHost(DispatchWindowHooks hooks = {}) {
        return ProgramDispatchHost(opener, shell, std::move(hooks), programFolder);
    }

    std::filesystem::path programFolder = "/opt/kelvo";

    fakes::FakeShell shell;
    AddressOpener opener{shell, BrowserWindowCheck{}};
};

TEST_F(ProgramDispatchHostTest, OpensAddressesAndReportsFailures) {
    ProgramDispatchHost host = makeHost();
    EXPECT_TRUE(host.openUrl("https://example.org/").ok());
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].kind, "open");
    EXPECT_EQ(shell.calls[0].target, "https://example.org/");

    shell.result = shell_result::kFileNotFound;
    EXPECT_FALSE(host.openUrl("https://example.org/").ok());
}

TEST_F(ProgramDispatchHostTest, StartsProgramsWithTheirArgumentList) {
    ProgramDispatchHost host = makeHost();
    EXPECT_TRUE(host.startProgram({"/usr/bin/vlc", "--started-from-file", "a b"}).ok());
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].kind, "start");
    EXPECT_EQ(shell.calls[0].target, "/usr/bin/vlc");
    EXPECT_EQ(shell.calls[0].arguments, (std::vector<std::string>{"--started-from-file", "a b"}));
    EXPECT_FALSE(host.startProgram({}).ok());
    shell.result = shell_result::kFileNotFound;
    EXPECT_FALSE(host.startProgram({"gone"}).ok());
}

// A page or program the machine cannot open or start (no handler, no such
// file, no right to run it) is said in a box, as the machine's refusal; the
// shell's own codes opened the error window whose OK ends the program.
TEST_F(ProgramDispatchHostTest, WhatTheShellRefusesIsTheMachinesRefusal) {
    ProgramDispatchHost host = makeHost();
    for (int refused :
         {shell_result::kFailed, shell_result::kFileNotFound, shell_result::kPathNotFound,
          shell_result::kAccessDenied, shell_result::kOutOfMemory, shell_result::kNoAssociation}) {
        shell.result = refused;
        const Status opened = host.openUrl("/data/bookmark_results.html");
        const Status started = host.startProgram({"gone"});
        ASSERT_FALSE(opened.ok() || started.ok());
        EXPECT_TRUE(error_number::isMachineRefusal(opened.number())) << refused;
        EXPECT_TRUE(error_number::isMachineRefusal(started.number())) << refused;
    }
}

TEST_F(ProgramDispatchHostTest, WithoutSpeechOrWindowEverythingIsSafe) {
    ProgramDispatchHost host = makeHost();
    EXPECT_EQ(host.grammar(), nullptr);
    host.resetGrammarDueToCounter();
    host.muteUnmute(-1);
    host.makeBeep(500, 200);
    host.clickTab("Basic");
    host.setSignalText("No signal - check mic");
    EXPECT_EQ(host.mainWindowCaption(), "");
    EXPECT_EQ(host.programFolder(), "/opt/kelvo");
}

TEST_F(ProgramDispatchHostTest, TheProgramFolderIsTheOneTheStartUpFixesLater) {
    // The program makes the host before its start-up has found the folder.
    programFolder.clear();
    ProgramDispatchHost host = makeHost();
    programFolder = "/usr/share/kelvo";
    EXPECT_EQ(host.programFolder(), "/usr/share/kelvo");
}

TEST_F(ProgramDispatchHostTest, MainWindowHooksAreCalled) {
    std::vector<std::string> seen;
    ProgramDispatchHost host = makeHost(
        {[&](const std::string& tag) { seen.push_back("tab " + tag); }, [] { return "Kelvo"; },
         [&](const std::string& text) { seen.push_back("signal " + text); }});
    host.clickTab("Music");
    host.setSignalText("No signal - check mic");
    EXPECT_EQ(host.mainWindowCaption(), "Kelvo");
    EXPECT_EQ(seen, (std::vector<std::string>{"tab Music", "signal No signal - check mic"}));
}

} // namespace
} // namespace kelvo
