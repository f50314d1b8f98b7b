#include "services/hex_coding.h"

#include "fakes/fake_error_sink.h"
#include "services/windows_1252.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(HexCodingTest, EncodesBytesAsUpperCasePairs) {
    EXPECT_EQ(stringToHex("abc"), "616263");
    EXPECT_EQ(stringToHex("\n"), "0A");
    EXPECT_EQ(stringToHex(""), "");
    EXPECT_EQ(stringToHex("1|http://x"), "317C687474703A2F2F78");
    EXPECT_EQ(stringToHex("\xC3\xA9"), "E9");     // e acute
    EXPECT_EQ(stringToHex("\xE2\x82\xAC"), "80"); // euro sign
    EXPECT_EQ(stringToHex("\xE4\xB8\xAD"), "3F"); // no byte for it: "?"
}

TEST(HexCodingTest, DecodesEitherCase) {
    fakes::FakeErrorSink errors;
    EXPECT_EQ(hexToString("616263", errors), "abc");
    EXPECT_EQ(hexToString("4a4B", errors), "JK");
    EXPECT_EQ(hexToString("", errors), "");
    EXPECT_EQ(hexToString("E9", errors), "\xC3\xA9");
    EXPECT_EQ(hexToString("93", errors), "\xE2\x80\x9C");
    EXPECT_TRUE(errors.reports.empty());
}

TEST(HexCodingTest, OddLastDigitIsReadAlone) {
    fakes::FakeErrorSink errors;
    EXPECT_EQ(hexToString("6162a", errors), "ab\n");
    EXPECT_EQ(hexToString("F", errors), std::string(1, '\x0F'));
    EXPECT_TRUE(errors.reports.empty());
}

TEST(HexCodingTest, RoundTripForEveryCodeFrom32To255) {
    fakes::FakeErrorSink errors;
    std::string all;
    for (int code = 32; code <= 255; ++code) {
        const std::string text = windows1252ToUtf8(std::string(1, static_cast<char>(code)));
        const std::string hex = stringToHex(text);
        ASSERT_EQ(hex.size(), 2u) << code;
        EXPECT_EQ(std::stoi(hex, nullptr, 16), code);
        EXPECT_EQ(hexToString(hex, errors), text) << code;
        all += text;
    }
    EXPECT_EQ(hexToString(stringToHex(all), errors), all);
    EXPECT_TRUE(errors.reports.empty());
}

TEST(HexCodingTest, BadDigitIsReportedAndGivesEmptyText) {
    const char* bad[] = {"zz", "61 62", "6g", "0x41", "61\xC3\xA9", "-1"};
    for (const char* hex : bad) {
        fakes::FakeErrorSink errors;
        EXPECT_EQ(hexToString(hex, errors), "") << hex;
        ASSERT_EQ(errors.reports.size(), 1u) << hex;
        EXPECT_EQ(errors.reports[0].location, "MutPdx");
        EXPECT_EQ(errors.reports[0].number, error_number::kTypeMismatch);
        EXPECT_FALSE(decodeHex(hex).ok());
    }
}

TEST(HexCodingTest, QuietDecodeNamesTheBadDigit) {
    auto result = decodeHex("61x2");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().message(), "Not a hex digit: \"x\" at position 3");
    auto control = decodeHex("6\t");
    ASSERT_FALSE(control.ok());
    EXPECT_EQ(control.error().message(), "Not a hex digit: byte 0x09 at position 2");
}

} // namespace
} // namespace kelvo
