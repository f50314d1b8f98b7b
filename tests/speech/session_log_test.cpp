#include "speech/session_log.h"

#include "fakes/fake_clock.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "services/text_crypto.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

using std::chrono::seconds;

TEST(SessionLog, MinutesOfARun) {
    const struct {
        long long seconds;
        long long minutes;
    } cases[] = {{0, 1},   {59, 1},  {60, 1},  {89, 1},    {90, 2}, {91, 2},    {149, 2},
                 {150, 2}, {151, 3}, {210, 4}, {1020, 17}, {-5, 1}, {3630, 60}, {3690, 62}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(sessionMinutes(seconds(c.seconds)), c.minutes);
    }
}

TEST(SessionLog, LineHasPaddedDateTabAndMinutes) {
    EXPECT_EQ(sessionLogLine({2009, 3, 7}, seconds(17 * 60)), "03072009\t17");
    EXPECT_EQ(sessionLogLine({2026, 12, 25}, seconds(59)), "12252026\t1");
}

TEST(SessionLog, AppendsOneQuotedEncryptedRecordPerRun) {
    fakes::TempDir dir;
    ASSERT_TRUE(sessionLog(dir.path(), {2009, 3, 7}, seconds(90)).ok());
    ASSERT_TRUE(sessionLog(dir.path(), {2009, 3, 8}, seconds(150)).ok());

    const auto content = readWholeFile(dir / "sl.txt");
    ASSERT_TRUE(content.ok());
    std::vector<std::string> plain;
    std::size_t at = 0;
    while (at < content->size()) {
        ASSERT_EQ((*content)[at], '"');
        const auto close = content->find('"', at + 1);
        ASSERT_NE(close, std::string::npos);
        ASSERT_EQ(content->substr(close + 1, 2), "\r\n");
        const auto line =
            tryDecryptText(content->substr(at + 1, close - at - 1), kSessionLogPassphrase);
        ASSERT_TRUE(line.ok());
        plain.push_back(*line);
        at = close + 3;
    }
    EXPECT_EQ(plain, (std::vector<std::string>{"03072009\t2", "03082009\t2"}));
}

TEST(SessionLog, RunsFromTheStartTimeToTheClocksNow) {
    const struct {
        long long seconds;
        const char* line;
    } cases[] = {{59, "03072009\t1"}, {90, "03072009\t2"}, {150, "03072009\t2"}};
    for (const auto& c : cases) {
        fakes::TempDir dir;
        fakes::FakeClock clock;
        clock.set({2009, 3, 7, 10, 0, 0, 0});
        const TimePoint start = clock.now();
        clock.advance(seconds(c.seconds));
        ASSERT_TRUE(sessionLog(dir.path(), clock, start).ok());
        const auto content = readWholeFile(dir / "sl.txt");
        ASSERT_TRUE(content.ok());
        ASSERT_GT(content->size(), 4u);
        const auto line =
            tryDecryptText(content->substr(1, content->size() - 4), kSessionLogPassphrase);
        ASSERT_TRUE(line.ok());
        EXPECT_EQ(*line, c.line);
    }
}

TEST(SessionLog, RecordThatCannotBeEncryptedIsNotWritten) {
    fakes::TempDir dir;
    ASSERT_TRUE(writeFileAtomically(dir / "sl.txt", "\"old\"\r\n").ok());
    const auto status = sessionLog(dir.path(), {2009, 3, 7}, seconds(59), [](std::string_view) {
        return Result<std::string>(Status::failure(1, "no random source"));
    });
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(*readWholeFile(dir / "sl.txt"), "\"old\"\r\n");
}

TEST(SessionLog, UnreadableOldLogIsLeftAlone) {
    fakes::TempDir dir;
    std::filesystem::create_directory(dir / "sl.txt");
    EXPECT_FALSE(sessionLog(dir.path(), {2009, 3, 7}, seconds(59)).ok());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "sl.txt"));
}

} // namespace
} // namespace kelvo
