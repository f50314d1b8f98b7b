#include "platform/ascii_text.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvo {
namespace {

TEST(AsciiTextTest, OnlyAsciiLettersChangeCase) {
    EXPECT_EQ(asciiLower('A'), 'a');
    EXPECT_EQ(asciiLower('Z'), 'z');
    EXPECT_EQ(asciiLower('a'), 'a');
    EXPECT_EQ(asciiLower('@'), '@');
    EXPECT_EQ(asciiLower('['), '[');
    // The bytes of "É" in UTF-8 and in Windows-1252 stay as they are.
    EXPECT_EQ(asciiLower('\xC3'), '\xC3');
    EXPECT_EQ(asciiLower('\xC9'), '\xC9');
}

TEST(AsciiTextTest, EqualsIgnoreCase) {
    struct Case {
        std::string a;
        std::string b;
        bool equal;
    };
    const Case cases[] = {
        {"CmdFileDate", "cmdfiledate", true},
        {"Etowah", "ETOWAH", true},
        {"", "", true},
        {"Uses", "Use", false},
        {"Use", "Uses", false},
        {"a]", "A}", false},
        {"\xC3\xA9", "\xC3\x89", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(equalsIgnoreCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
    }
}

TEST(AsciiTextTest, HexDigitsOfEitherCase) {
    const std::string digits = "0123456789abcdef";
    for (int value = 0; value < 16; ++value) {
        const char lower = digits[static_cast<size_t>(value)];
        EXPECT_EQ(hexDigitValue(lower), value) << lower;
        const char upper = static_cast<char>(value < 10 ? lower : lower - 'a' + 'A');
        EXPECT_EQ(hexDigitValue(upper), value) << upper;
    }
    for (char c : std::string("gG/:@`x -\xC3")) {
        EXPECT_EQ(hexDigitValue(c), -1) << c;
    }
}

} // namespace
} // namespace kelvo
