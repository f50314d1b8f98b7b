#include "services/os_text_file.h"

#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

using Items = std::vector<std::string>;

TEST(OsTextFileTest, FreeFormatItems) {
    struct Case {
        const char* text;
        Items items;
    };
    const Case cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"one\r\ntwo\r\n", {"one", "two"}},
        {"one\ntwo", {"one", "two"}},
        {"a, b ,c", {"a", "b", "c"}},
        {"\"say, hello\",next", {"say, hello", "next"}},
        {"  \"quoted\"  \r\nplain  ", {"quoted", "plain"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {"\"open quote", {"open quote"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(freeFormatItems(c.text), c.items) << c.text;
    }
}

TEST(OsTextFileTest, EachItemComesAfterALineBreak) {
    fakes::TempDir dir;
    ASSERT_TRUE(writeFileAtomically(dir / "vista.txt", "Say \"hello\",then\r\nread on\r\n").ok());
    ASSERT_TRUE(writeFileAtomically(dir / "xp.txt", "xp text").ok());
    EXPECT_EQ(readOsTextFile("vista", dir.path()).value(), "\r\nSay \"hello\"\r\nthen\r\nread on");
    EXPECT_EQ(readOsTextFile("xp", dir.path()).value(), "\r\nxp text");
}

TEST(OsTextFileTest, OtherWordsAndMissingFilesFail) {
    fakes::TempDir dir;
    ASSERT_TRUE(writeFileAtomically(dir / "7.txt", "x").ok());
    for (const char* word : {"7", "", "XP", "Vista", "../vista"}) {
        EXPECT_FALSE(readOsTextFile(word, dir.path()).ok()) << word;
    }
    auto missing = readOsTextFile("vista", dir.path());
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().number(), 53);
}

} // namespace
} // namespace kelvo
