#include "windows/chat_program_detection.h"

#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

std::string entry(const std::string& name, const std::string& exec, const std::string& categories,
                  const std::string& extra = "") {
    return "[Desktop Entry]\nType=Application\nName=" + name + "\nName[de]=Anders\nExec=" + exec +
           "\nCategories=" + categories + "\n" + extra + "[Desktop Action New]\nName=Other\n";
}

TEST(ChatProgramDetectionTest, ParsesChatEntries) {
    struct Case {
        std::string text;
        std::string name;
        std::string command;
    };
    const std::vector<Case> cases = {
        {entry("Talk", "talk %U", "Network;InstantMessaging;"), "Talk", "talk"},
        {entry("Meet", "meet --call %u --x", "Network;VideoConference;"), "Meet",
         "meet --call --x"},
        {entry("Irc", "irc", "Network;Chat"), "Irc", "irc"},
        {entry("Pct", "pct 100%%", "Chat;"), "Pct", "pct 100%"},
        {entry("Mail", "mail", "Network;Email;"), "", ""},
        {entry("Chatty", "chatty", "Network;Chatting;"), "", ""},
        {entry("Hidden", "hidden", "Chat;", "NoDisplay=true\n"), "", ""},
        {entry("NoExec", "", "Chat;"), "", ""},
        {"[Desktop Entry]\nType=Link\nName=L\nExec=l\nCategories=Chat;\n", "", ""},
        {"Name=Talk\nExec=talk\nCategories=Chat;\nType=Application\n", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const ChatProgram program = parseChatDesktopEntry(c.text);
        EXPECT_EQ(program.name, c.name) << c.text;
        EXPECT_EQ(program.command, c.command) << c.text;
    }
}

TEST(ChatProgramDetectionTest, EarlierFolderWinsAndCountIsCapped) {
    fakes::TempDir dir;
    ASSERT_TRUE(
        writeFileAtomically(dir / "home/b-talk.desktop", entry("My Talk", "mytalk", "Chat;")).ok());
    ASSERT_TRUE(
        writeFileAtomically(dir / "sys/b/talk.desktop", entry("Talk", "talk", "Chat;")).ok());
    ASSERT_TRUE(writeFileAtomically(dir / "sys/a.desktop", entry("A", "a", "Chat;")).ok());
    ASSERT_TRUE(writeFileAtomically(dir / "sys/c.desktop", entry("C", "c", "Email;")).ok());
    ASSERT_TRUE(writeFileAtomically(dir / "sys/d.txt", entry("D", "d", "Chat;")).ok());
    const std::vector<std::filesystem::path> folders = {dir / "home", dir / "missing", dir / "sys"};
    const auto programs = detectChatPrograms(folders);
    ASSERT_EQ(programs.size(), 2u);
    EXPECT_EQ(programs[0].name, "My Talk");
    EXPECT_EQ(programs[1].name, "A");

    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(writeFileAtomically(dir / "many" / ("p" + std::to_string(100 + i) + ".desktop"),
                                        entry("P" + std::to_string(i), "p", "Chat;"))
                        .ok());
    }
    const auto many = detectChatPrograms({dir / "many"});
    ASSERT_EQ(many.size(), 31u);
    EXPECT_EQ(many.front().name, "P0");
    EXPECT_EQ(many.back().name, "P30");
}

TEST(ChatProgramDetectionTest, ApplicationFoldersFollowXdg) {
    using Paths = std::vector<std::filesystem::path>;
    EXPECT_EQ(applicationFolders(nullptr, nullptr, "/home/u"),
              (Paths{"/home/u/.local/share/applications", "/usr/local/share/applications",
                     "/usr/share/applications"}));
    EXPECT_EQ(applicationFolders("/d", "/x:relative::/y", "/home/u"),
              (Paths{"/d/applications", "/x/applications", "/y/applications"}));
    EXPECT_EQ(applicationFolders("relative", "", "/h"),
              (Paths{"/h/.local/share/applications", "/usr/local/share/applications",
                     "/usr/share/applications"}));
}

TEST(ChatProgramDetectionTest, ExecCommandsSplitAndQuoteBack) {
    using Args = std::vector<std::string>;
    EXPECT_EQ(splitExecCommand("talk --video  x"), (Args{"talk", "--video", "x"}));
    EXPECT_EQ(splitExecCommand("\"/opt/my app/run\" \"a \\\"b\\\"\""),
              (Args{"/opt/my app/run", "a \"b\""}));
    EXPECT_EQ(splitExecCommand("\"unterminated"), Args{});
    for (const std::string arg : {"plain", "with space", "quo\"te", "back\\slash", "$HOME"}) {
        EXPECT_EQ(splitExecCommand(quoteExecArgument(arg)), Args{arg}) << arg;
    }
}

TEST(ChatProgramDetectionTest, StoredFileStartsAsOneProgram) {
    fakes::TempDir dir;
    ASSERT_TRUE(writeFileAtomically(dir / "my chat", "#!/bin/sh\n").ok());
    const std::string file = (dir / "my chat").string();
    EXPECT_EQ(chatProgramArguments(file), std::vector<std::string>{file});
    EXPECT_EQ(chatProgramArguments("talk --video"), (std::vector<std::string>{"talk", "--video"}));
    EXPECT_TRUE(chatProgramArguments("").empty());
}

} // namespace
} // namespace kelvo
