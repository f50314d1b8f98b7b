#include "services/date_parsing.h"

#include "fakes/fake_error_sink.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

using namespace std::chrono;

struct Case {
    const char* text;
    bool isDate;
    year_month_day expected;
};

const Case kGood[] = {
    {"12/3/2007", false, 2007y / December / 3d},
    {"12/3/2007", true, 2007y / December / 3d},
    {"1/31/2026", false, 2026y / January / 31d},
    {"01/02/2026", false, 2026y / January / 2d},
    {"2/29/2008", false, 2008y / February / 29d},
    {"12/3/2007 10:15", false, 2007y / December / 3d}, // after the year: ignored
    {"12/3/2007xyz", false, 2007y / December / 3d},
    {" 6/7/2010 ", true, 2010y / June / 7d},
    {"12/8/2026 7:43:06 PM", true, 2026y / December / 8d},
    {"12/8/2026 12:00:00 AM", true, 2026y / December / 8d},
    {"12/8/2026 19:43", true, 2026y / December / 8d},
    {"2026-12-08", true, 2026y / December / 8d},
    {"2026-12-08T19:43:06", true, 2026y / December / 8d},
    {"2026-12-08T19:43:06.125Z", true, 2026y / December / 8d},
    {"2026-12-08 19:43:06+01:00", true, 2026y / December / 8d},
};

TEST(DateParsingTest, ReadsTheFormsWeWrite) {
    for (const auto& c : kGood) {
        auto date = tryParseDate(c.text, c.isDate);
        ASSERT_TRUE(date.ok()) << c.text << " " << date.error().message();
        EXPECT_EQ(*date, c.expected) << c.text;
    }
}

struct Bad {
    const char* text;
    bool isDate;
};

const Bad kBad[] = {
    {"", false},
    {"", true},
    {"x", true},
    {"abc", true},
    {"12-3-2007", false},
    {"2007-12-03", false}, // ISO only where any date is accepted
    {"12/3/07", false},
    {"12/3/07", true},
    {"13/1/2007", false}, // no month 13
    {"2/30/2007", true},  // no such day
    {"0/1/2007", false},
    {"12/3/2007 25:00", true},
    {"12/3/2007 13:00 PM", true},
    {"12/3/2007xyz", true},
    {"2026-13-01", true},
    {"2026-12-08T", true},
    {"1/1/0099", false},
};

TEST(DateParsingTest, RejectsWhatIsNoDate) {
    for (const auto& c : kBad) {
        EXPECT_FALSE(tryParseDate(c.text, c.isDate).ok()) << c.text << " isDate=" << c.isDate;
    }
}

TEST(DateParsingTest, ReportingWrapperReportsAndGivesNothing) {
    fakes::FakeErrorSink errors;
    EXPECT_EQ(parseDate("garbage", false, errors), std::nullopt);
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].location, "MutPpsd");
    EXPECT_EQ(errors.reports[0].description, "Not a date: \"garbage\"");
    EXPECT_EQ(parseDate("12/3/2007", false, errors), 2007y / December / 3d);
    EXPECT_EQ(errors.reports.size(), 1u);
}

TEST(DateParsingTest, ShortDateTextReadsBack) {
    const year_month_day dates[] = {2026y / December / 8d, 2007y / January / 3d,
                                    2000y / February / 29d};
    const char* texts[] = {"12/8/2026", "1/3/2007", "2/29/2000"};
    for (size_t i = 0; i < std::size(dates); ++i) {
        EXPECT_EQ(shortDateText(dates[i]), texts[i]);
        EXPECT_EQ(tryParseDate(shortDateText(dates[i]), false).value(), dates[i]);
        EXPECT_EQ(tryParseDate(shortDateText(dates[i]), true).value(), dates[i]);
    }
}

// Server dates are compared to the second, so the time must be read too, and
// what the program writes must read back to the same second.
TEST(DateParsingTest, DateTimeToTheSecond) {
    const sys_days day = 2026y / December / 8d;
    const struct {
        const char* text;
        sys_seconds expected;
    } cases[] = {
        {"12/8/2026", day},
        {"12/8/2026 12:00:00 AM", day},
        {"12/8/2026 12:30:05 PM", day + 12h + 30min + 5s},
        {"12/8/2026 7:43:06 PM", day + 19h + 43min + 6s},
        {"2026-12-08T19:43:06.125Z", day + 19h + 43min + 6s},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(tryParseDateTime(c.text).ok()) << c.text;
        EXPECT_EQ(tryParseDateTime(c.text).value(), c.expected) << c.text;
        EXPECT_EQ(tryParseDateTime(dateTimeText(c.expected)).value(), c.expected) << c.text;
    }
    EXPECT_EQ(dateTimeText(day + 19h + 3min + 6s), "12/8/2026 7:03:06 PM");
    EXPECT_FALSE(tryParseDateTime("12/8/2026 13:00 PM").ok());
    EXPECT_FALSE(tryParseDateTime("abcdefg").ok());
}

} // namespace
} // namespace kelvo
