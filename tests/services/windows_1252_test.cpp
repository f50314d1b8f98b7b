#include "services/windows_1252.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

struct Pair {
    const char* utf8;
    const char* bytes;
};

// A line per byte class: ASCII, the 0x80-0x9F block, Latin-1, the
// unassigned bytes.
const Pair kPairs[] = {
    {"abc", "abc"},
    {"\xE2\x82\xAC", "\x80"}, // euro sign
    {"\xE2\x80\x9C"
     "x"
     "\xE2\x80\x9D",
     "\x93x\x94"},        // curly quotes
    {"\xC5\xA0", "\x8A"}, // S with caron
    {"\xC5\xB8", "\x9F"}, // Y with diaeresis
    {"\xC2\xA0", "\xA0"}, // no-break space
    {"\xC3\xA9", "\xE9"}, // e acute
    {"\xC3\xBF", "\xFF"}, // y with diaeresis
    {"\xC2\x81", "\x81"}, // unassigned byte keeps its number
    {"\xC2\x9D", "\x9D"},
};

TEST(Windows1252Test, ConvertsBothWays) {
    for (const auto& pair : kPairs) {
        EXPECT_EQ(utf8ToWindows1252(pair.utf8), pair.bytes) << pair.utf8;
        EXPECT_EQ(windows1252ToUtf8(pair.bytes), pair.utf8) << pair.utf8;
    }
}

TEST(Windows1252Test, EveryByteSurvivesARoundTrip) {
    for (int code = 0; code < 256; ++code) {
        const std::string byte(1, static_cast<char>(code));
        EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(byte)), byte) << code;
    }
}

TEST(Windows1252Test, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToWindows1252("a\xE4\xB8\xAD"
                                "b"),
              "a?b");                                      // CJK
    EXPECT_EQ(utf8ToWindows1252("\xF0\x9F\x98\x80"), "?"); // emoji
    EXPECT_EQ(utf8ToWindows1252("\xC2\x80"), "?");         // C1 control 0x80
}

TEST(Windows1252Test, MalformedUtf8BecomesQuestionMarksWithoutLosingTheRest) {
    EXPECT_EQ(utf8ToWindows1252("a\xE9"
                                "b"),
              "a?b");                          // lone Latin-1 byte
    EXPECT_EQ(utf8ToWindows1252("\xC3"), "?"); // cut sequence
    EXPECT_EQ(utf8ToWindows1252("\xE2\x82"
                                "x"),
              "??x");                                    // cut in the middle
    EXPECT_EQ(utf8ToWindows1252("\xC0\xAF"), "??");      // overlong "/"
    EXPECT_EQ(utf8ToWindows1252("\xED\xA0\x80"), "???"); // surrogate
}

} // namespace
} // namespace kelvo
