#pragma once

#include <chrono>
#include <memory>

namespace kelvo {

/// A calendar date and time of day in the user's time zone.
struct LocalDateTime {
    int year = 1970;
    int month = 1; // 1 to 12
    int day = 1;   // day of the month, 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfYear = 1; // 1 to 366

    bool operator==(const LocalDateTime&) const = default;
};

using TimePoint = std::chrono::system_clock::time_point;

/// The time now, as an instant (for durations) and as a local date (for
/// anything shown or stored as a date).
class Clock {
public:
    virtual ~Clock() = default;

    /// The present instant.
    virtual TimePoint now() const = 0;

    /// The present date and time of day in the user's time zone.
    virtual LocalDateTime localNow() const = 0;
};

/// The system clock, in the time zone of the process.
std::unique_ptr<Clock> makeSystemClock();

/// The local date and time of an instant, in the time zone of the process.
LocalDateTime toLocalDateTime(TimePoint instant);

} // namespace kelvo
