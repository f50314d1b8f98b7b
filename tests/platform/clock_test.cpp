#include "platform/clock.h"

#include "fakes/fake_clock.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(ClockTest, LocalDateTimeOfAnInstant) {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    // 2009-03-07 10:30:15 UTC.
    const auto instant = std::chrono::system_clock::from_time_t(1236421815);
    EXPECT_EQ(toLocalDateTime(instant), (LocalDateTime{2009, 3, 7, 10, 30, 15, 66}));
    // The last day of a leap year is its 366th.
    EXPECT_EQ(toLocalDateTime(std::chrono::system_clock::from_time_t(1230767999)).dayOfYear, 366);
}

TEST(ClockTest, SystemClockAgreesWithItsInstant) {
    auto clock = makeSystemClock();
    const auto before = std::chrono::system_clock::now();
    const auto now = clock->now();
    EXPECT_GE(now, before);
    const LocalDateTime local = clock->localNow();
    EXPECT_GE(local.year, 2024);
    EXPECT_GE(local.month, 1);
    EXPECT_LE(local.month, 12);
}

TEST(FakeClockTest, SetAndAdvance) {
    fakes::FakeClock clock;
    clock.set({2008, 12, 31, 23, 59, 30, 0});
    EXPECT_EQ(clock.localNow(), (LocalDateTime{2008, 12, 31, 23, 59, 30, 366}));
    clock.advance(std::chrono::seconds(45));
    EXPECT_EQ(clock.localNow(), (LocalDateTime{2009, 1, 1, 0, 0, 15, 1}));
}

} // namespace
} // namespace kelvo
