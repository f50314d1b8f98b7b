#include "platform/clock.h"

#include <ctime>

namespace kelvo {

namespace {

class SystemClock final : public Clock {
public:
    TimePoint now() const override { return std::chrono::system_clock::now(); }
    LocalDateTime localNow() const override { return toLocalDateTime(now()); }
};

} // namespace

LocalDateTime toLocalDateTime(TimePoint instant) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(instant);
    std::tm parts{};
    ::localtime_r(&seconds, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,    parts.tm_hour,
            parts.tm_min,         parts.tm_sec,     parts.tm_yday + 1};
}

std::unique_ptr<Clock> makeSystemClock() {
    return std::make_unique<SystemClock>();
}

} // namespace kelvo
