#pragma once

#include "platform/clock.h"

#include <ctime>

namespace kelvo::fakes {

/// A clock that stands still until the test sets or advances it. The local
/// time is the instant read as UTC, so tests don't depend on a time zone.
class FakeClock : public Clock {
public:
    FakeClock() { set({2009, 3, 7, 10, 30, 15, 66}); }

    /// Sets the clock to a local date and time (dayOfYear is recomputed).
    void set(LocalDateTime local) {
        std::tm parts{};
        parts.tm_year = local.year - 1900;
        parts.tm_mon = local.month - 1;
        parts.tm_mday = local.day;
        parts.tm_hour = local.hour;
        parts.tm_min = local.minute;
        parts.tm_sec = local.second;
        m_now = std::chrono::system_clock::from_time_t(::timegm(&parts));
    }

    void advance(std::chrono::seconds by) { m_now += by; }

    TimePoint now() const override { return m_now; }

    LocalDateTime localNow() const override {
        const std::time_t seconds = std::chrono::system_clock::to_time_t(m_now);
        std::tm parts{};
        ::gmtime_r(&seconds, &parts);
        return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,    parts.tm_hour,
                parts.tm_min,         parts.tm_sec,     parts.tm_yday + 1};
    }

private:
    TimePoint m_now;
};

} // namespace kelvo::fakes
