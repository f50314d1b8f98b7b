#include "startup/session_log_summary.h"

#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "services/text_crypto.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

// Records in the plain: the decryptor hands each record back unchanged,
// failing on the word "damaged".
Result<std::string> plain(std::string_view record) {
    if (record == "damaged") {
        return Status::failure(1, "cannot decrypt");
    }
    return std::string(record);
}

std::string summaryOf(const std::vector<std::string>& records, int* skippedOut = nullptr) {
    int skipped = -1;
    std::string summary = summarizeSessionRecords(records, plain, skipped);
    if (skippedOut != nullptr) {
        *skippedOut = skipped;
    }
    return summary;
}

TEST(SessionLogRecordsTest, QuotedFieldsMayRunOverLines) {
    EXPECT_EQ(readSessionLogRecords("\"abc\"\r\n\"de\r\nfg\"\r\n\"\"\r\n"),
              (std::vector<std::string>{"abc", "de\r\nfg", ""}));
    EXPECT_EQ(readSessionLogRecords("plain one , two\n\n  \"three\" trailing\nfour"),
              (std::vector<std::string>{"plain one", "two", "three", "four"}));
    EXPECT_EQ(readSessionLogRecords(""), std::vector<std::string>{});
    EXPECT_EQ(readSessionLogRecords("\"unterminated\r\n"),
              (std::vector<std::string>{"unterminated\r\n"}));
}

TEST(SessionLogSummaryTest, ConsecutiveDaysAreGrouped) {
    struct Case {
        std::vector<std::string> records;
        std::string summary;
    };
    const std::vector<Case> cases = {
        {{}, ""},
        {{"03072009\t17"}, "--03072009-17-1"},
        {{"03072009\t17", "03072009\t3", "03082009\t1"}, "--03072009-20-2--03082009-1-1"},
        // Only neighbours group: a day that comes back starts a new group.
        {{"03072009\t1", "03082009\t2", "03072009\t4"},
         "--03072009-1-1--03082009-2-1--03072009-4-1"},
        {{"03072009\t2147483000", "03072009\t1000"}, "--03072009-2147483646-2"},
        {{"03072009\t2147483646", "03072009\t2147483646", "03072009\t5"},
         "--03072009-2147483646-3"},
        {{"03072009\t99999999999999999999999"}, "--03072009-2147483646-1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(summaryOf(c.records), c.summary);
    }
}

TEST(SessionLogSummaryTest, DamagedRecordsAreLeftOutAndCounted) {
    int skipped = 0;
    EXPECT_EQ(summaryOf({"03072009\t5", "damaged", "no tab", "03072009\tabc", "03072009\t-4",
                         "03072009\t6"},
                        &skipped),
              "--03072009-11-2");
    EXPECT_EQ(skipped, 4);
}

TEST(SessionLogSummaryTest, ReadsAndDecryptsTheLogFile) {
    fakes::TempDir dir;
    DiagnosticList diagnostics;
    std::string log;
    for (const char* line : {"03072009\t17", "03072009\t3", "03082009\t40"}) {
        auto encrypted = tryEncryptText(line, kSessionLogPassphrase);
        ASSERT_TRUE(encrypted.ok());
        // A long record may be stored over two lines.
        std::string text = *encrypted;
        text.insert(text.size() / 2, "\r\n");
        log += "\"" + text + "\"\r\n";
    }
    ASSERT_TRUE(writeFileAtomically(dir / "sl.txt", log).ok());
    EXPECT_EQ(summarizeSessionLog(dir / "sl.txt", diagnostics), "--03072009-20-2--03082009-40-1");
    EXPECT_TRUE(diagnostics.lines().empty());
}

TEST(SessionLogSummaryTest, DamagedRecordsAreSaidOnceInTheDiagnosticList) {
    fakes::TempDir dir;
    DiagnosticList diagnostics;
    auto wrongKey = tryEncryptText("03072009\t17", kSocialLoginPassphrase);
    auto right = tryEncryptText("03072009\t2", kSessionLogPassphrase);
    ASSERT_TRUE(wrongKey.ok() && right.ok());
    ASSERT_TRUE(writeFileAtomically(dir / "sl.txt", "\"" + *wrongKey + "\"\r\n\"garbage\"\r\n\"" +
                                                        *right + "\"\r\n")
                    .ok());
    EXPECT_EQ(summarizeSessionLog(dir / "sl.txt", diagnostics), "--03072009-2-1");
    EXPECT_EQ(diagnostics.lines(),
              std::deque<std::string>{
                  "session log: 2 damaged record(s) left out of the start-up report"});
}

TEST(SessionLogSummaryTest, MissingLogGivesEmptySummary) {
    fakes::TempDir dir;
    DiagnosticList diagnostics;
    EXPECT_EQ(summarizeSessionLog(dir / "sl.txt", diagnostics), "");
    EXPECT_TRUE(diagnostics.lines().empty());
}

} // namespace
} // namespace kelvo
