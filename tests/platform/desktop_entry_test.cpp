#include "platform/desktop_entry.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

DesktopEntry entryWithExec(std::string exec) {
    DesktopEntry entry;
    entry.file = "/apps/player.desktop";
    entry.name = "My Player";
    entry.icon = "player";
    entry.exec = std::move(exec);
    return entry;
}

TEST(DesktopEntry, ExecLineBecomesTheArgumentsOfAStartWithoutFiles) {
    struct Case {
        const char* exec;
        std::vector<std::string> arguments;
    };
    for (const Case& c : {
             Case{"mpv --idle=yes %U", {"mpv", "--idle=yes"}},
             Case{"\"/opt/my player/run\" --title=%c %F",
                  {"/opt/my player/run", "--title=My Player"}},
             Case{"run \"a \\\"quoted\\\" \\$word\" 100%%", {"run", "a \"quoted\" $word", "100%"}},
             Case{"run \"%u stays\" %i %k",
                  {"run", "%u stays", "--icon", "player", "/apps/player.desktop"}},
             Case{"run --file=%f", {"run", "--file="}},
         }) {
        auto arguments = execArguments(entryWithExec(c.exec));
        ASSERT_TRUE(arguments) << c.exec << ": " << arguments.error().message();
        EXPECT_EQ(*arguments, c.arguments) << c.exec;
    }
    for (const char* bad : {"", "%U", "run \"open", "run %z", "run 50%"}) {
        EXPECT_FALSE(execArguments(entryWithExec(bad))) << bad;
    }
}

} // namespace
} // namespace kelvo
