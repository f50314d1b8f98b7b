#include "services/address_opener.h"

#include "fakes/fake_shell.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kelvo {
namespace {

using Arguments = std::vector<std::string>;

class AddressOpenerTest : public ::testing::Test {
protected:
    AddressOpener opener() {
        BrowserWindowCheck check{[this] { return windows; }, [] { return 50; },
                                 [this](const std::string& text) { feedback.push_back(text); }};
        return AddressOpener(shell, check);
    }

    fakes::FakeShell shell;
    fakes::TempDir dir;
    int windows = 0;
    std::vector<std::string> feedback;
};

TEST_F(AddressOpenerTest, AddressesAndDocumentsGoToTheirHandler) {
    auto open = opener();
    EXPECT_EQ(open.openUrl("http://www.example.org/"), shell_result::kStarted);
    const std::string page = (dir / "vc_basic.html").string();
    ASSERT_TRUE(writeFileAtomically(page, "<html/>").ok());
    EXPECT_EQ(open.openUrl(page, "", "", "", kShowNormal), shell_result::kStarted);
    EXPECT_EQ(open.openUrl("mailto:help@example.org", "open"), shell_result::kStarted);
    ASSERT_EQ(shell.calls.size(), 3u);
    for (const auto& call : shell.calls) {
        EXPECT_EQ(call.kind, "open");
    }
    EXPECT_EQ(shell.calls[1].target, page);
}

TEST_F(AddressOpenerTest, ShellResultIsPassedOnUnreported) {
    shell.result = shell_result::kNoAssociation;
    EXPECT_EQ(opener().openUrl("/no/such/file.html"), shell_result::kNoAssociation);
    EXPECT_LE(shell.result, 32);
}

TEST_F(AddressOpenerTest, ExecutableFileIsStartedWithItsParameters) {
    const std::string program = (dir / "chat").string();
    ASSERT_TRUE(writeFileAtomically(program, "#!/bin/sh\n").ok());
    ASSERT_EQ(::chmod(program.c_str(), 0700), 0);
    EXPECT_EQ(opener().openUrl(program, "", "--call \"Ann Lee\" 2"), shell_result::kStarted);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].kind, "start");
    EXPECT_EQ(shell.calls[0].target, program);
    EXPECT_EQ(shell.calls[0].arguments, (Arguments{"--call", "Ann Lee", "2"}));
}

TEST_F(AddressOpenerTest, EmptyTargetAndOtherVerbsMakeNoCall) {
    auto open = opener();
    EXPECT_EQ(open.openUrl(""), shell_result::kFileNotFound);
    EXPECT_EQ(open.openUrl("/tmp/help.rtf", "Print", "", "", kShowHidden),
              shell_result::kNoAssociation);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(AddressOpenerTest, BrowserCheckRunsAfterTheShellCall) {
    windows = 12;
    opener().openUrl("http://www.example.org/");
    EXPECT_EQ(shell.calls.size(), 1u);
    ASSERT_EQ(feedback.size(), 1u);
    EXPECT_TRUE(feedback[0].starts_with("Your browser may have too many windows"));
}

TEST(SplitParametersTest, BlanksSeparateAndQuotesGroup) {
    struct Case {
        const char* text;
        Arguments arguments;
    };
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {"-a -b", {"-a", "-b"}},
        {"  one   two  ", {"one", "two"}},
        {"\"with blank\" x", {"with blank", "x"}},
        {"\"\"", {""}},
        {"pre\"fix suf\"fix", {"prefix suffix"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitParameters(c.text), c.arguments) << c.text;
    }
}

} // namespace
} // namespace kelvo
