#include "services/date_parsing.h"

#include <cctype>
#include <charconv>

namespace kelvo {

namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

// Dates before year 100 or after 9999 are not dates to the settings.
constexpr int kFirstYear = 100;
constexpr int kLastYear = 9999;

Status notADate(std::string_view text) {
    return Status::failure(error_number::kTypeMismatch,
                           "Not a date: \"" + std::string(text) + "\"");
}

// Reads an unsigned number of minDigits..maxDigits digits at pos.
std::optional<int> readNumber(std::string_view text, size_t& pos, size_t minDigits,
                              size_t maxDigits) {
    size_t end = pos;
    while (end < text.size() && end - pos < maxDigits &&
           std::isdigit(static_cast<unsigned char>(text[end]))) {
        ++end;
    }
    if (end - pos < minDigits) {
        return std::nullopt;
    }
    int value = 0;
    std::from_chars(text.data() + pos, text.data() + end, value);
    pos = end;
    return value;
}

bool readChar(std::string_view text, size_t& pos, char c) {
    if (pos < text.size() && text[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

void skipBlanks(std::string_view text, size_t& pos) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
}

std::string_view trimmed(std::string_view text) {
    size_t first = 0;
    skipBlanks(text, first);
    size_t last = text.size();
    while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t')) {
        --last;
    }
    return text.substr(first, last - first);
}

std::optional<year_month_day> makeDate(int y, int m, int d) {
    if (y < kFirstYear || y > kLastYear) {
        return std::nullopt;
    }
    const year_month_day date{year{y}, month{static_cast<unsigned>(m)},
                              day{static_cast<unsigned>(d)}};
    return date.ok() ? std::optional(date) : std::nullopt;
}

// "h:mm", "h:mm:ss" (with an optional fraction), then an optional AM/PM or
// a zone ("Z", "+hh:mm"); the whole rest of the text must be that. Gives the
// seconds into the day, the fraction and the zone dropped.
std::optional<int> readTime(std::string_view text, size_t pos) {
    auto hours = readNumber(text, pos, 1, 2);
    if (!hours || !readChar(text, pos, ':')) {
        return std::nullopt;
    }
    const auto minutes = readNumber(text, pos, 2, 2);
    if (!minutes || *minutes > 59) {
        return std::nullopt;
    }
    int seconds = 0;
    if (readChar(text, pos, ':')) {
        const auto read = readNumber(text, pos, 2, 2);
        if (!read || *read > 59) {
            return std::nullopt;
        }
        seconds = *read;
        if (readChar(text, pos, '.') && !readNumber(text, pos, 1, 9)) {
            return std::nullopt;
        }
    }
    const auto clock = [&](int h) { return h * 3600 + *minutes * 60 + seconds; };
    skipBlanks(text, pos);
    const std::string_view rest = text.substr(pos);
    if (rest == "AM" || rest == "PM" || rest == "am" || rest == "pm") {
        if (*hours < 1 || *hours > 12) {
            return std::nullopt;
        }
        const bool afternoon = rest[0] == 'P' || rest[0] == 'p';
        return clock(*hours % 12 + (afternoon ? 12 : 0));
    }
    if (*hours > 23) {
        return std::nullopt;
    }
    if (rest.empty() || rest == "Z") {
        return clock(*hours);
    }
    if (rest[0] != '+' && rest[0] != '-') {
        return std::nullopt;
    }
    pos = 1;
    const auto zoneHours = readNumber(rest, pos, 2, 2);
    readChar(rest, pos, ':');
    const auto zoneMinutes = readNumber(rest, pos, 2, 2);
    if (!zoneHours || !zoneMinutes || pos != rest.size()) {
        return std::nullopt;
    }
    return clock(*hours);
}

// The date ends at pos; what follows must be nothing (midnight) or a time.
// Gives the seconds into the day.
std::optional<int> timeAfterDate(std::string_view text, size_t pos, bool iso) {
    if (pos == text.size()) {
        return 0;
    }
    if (text[pos] == ' ' || (iso && text[pos] == 'T')) {
        ++pos;
        skipBlanks(text, pos);
        return readTime(text, pos);
    }
    return std::nullopt;
}

struct DateAndTime {
    year_month_day date;
    int seconds = 0;
};

std::optional<DateAndTime> readMonthFirst(std::string_view text, bool strict) {
    size_t pos = 0;
    const auto m = readNumber(text, pos, 1, 2);
    if (!m || !readChar(text, pos, '/')) {
        return std::nullopt;
    }
    const auto d = readNumber(text, pos, 1, 2);
    if (!d || !readChar(text, pos, '/')) {
        return std::nullopt;
    }
    const auto y = readNumber(text, pos, 4, 4);
    const auto time = strict ? std::optional<int>(0) : timeAfterDate(text, pos, false);
    const auto date = y ? makeDate(*y, *m, *d) : std::nullopt;
    if (!time || !date) {
        return std::nullopt;
    }
    return DateAndTime{*date, *time};
}

std::optional<DateAndTime> readIso(std::string_view text) {
    size_t pos = 0;
    const auto y = readNumber(text, pos, 4, 4);
    if (!y || !readChar(text, pos, '-')) {
        return std::nullopt;
    }
    const auto m = readNumber(text, pos, 2, 2);
    if (!m || !readChar(text, pos, '-')) {
        return std::nullopt;
    }
    const auto d = readNumber(text, pos, 2, 2);
    const auto time = d ? timeAfterDate(text, pos, true) : std::nullopt;
    const auto date = time ? makeDate(*y, *m, *d) : std::nullopt;
    if (!date) {
        return std::nullopt;
    }
    return DateAndTime{*date, *time};
}

std::optional<DateAndTime> readDateAndTime(std::string_view text, bool isDate) {
    const std::string_view clean = trimmed(text);
    auto read = readMonthFirst(clean, !isDate);
    if (!read && isDate) {
        read = readIso(clean);
    }
    return read;
}

} // namespace

Result<year_month_day> tryParseDate(std::string_view text, bool isDate) {
    const auto read = readDateAndTime(text, isDate);
    if (!read) {
        return notADate(text);
    }
    return read->date;
}

Result<std::chrono::sys_seconds> tryParseDateTime(std::string_view text) {
    const auto read = readDateAndTime(text, true);
    if (!read) {
        return notADate(text);
    }
    return std::chrono::sys_days(read->date) + std::chrono::seconds(read->seconds);
}

std::string dateTimeText(std::chrono::sys_seconds moment) {
    const auto day = std::chrono::floor<std::chrono::days>(moment);
    const std::chrono::hh_mm_ss clock(moment - day);
    const std::string date = shortDateText(year_month_day(day));
    if (clock.to_duration().count() == 0) {
        return date;
    }
    const long hours = clock.hours().count();
    const auto twoDigits = [](long value) {
        return (value < 10 ? "0" : "") + std::to_string(value);
    };
    return date + " " + std::to_string(hours % 12 == 0 ? 12 : hours % 12) + ":" +
           twoDigits(clock.minutes().count()) + ":" + twoDigits(clock.seconds().count()) +
           (hours < 12 ? " AM" : " PM");
}

std::optional<year_month_day> parseDate(std::string_view text, bool isDate, ErrorSink& errors) {
    auto date = tryParseDate(text, isDate);
    if (!date) {
        errors.reportError(date.error().number(), date.error().message(), "MutPpsd");
        return std::nullopt;
    }
    return *date;
}

std::string shortDateText(year_month_day date) {
    return std::to_string(static_cast<unsigned>(date.month())) + "/" +
           std::to_string(static_cast<unsigned>(date.day())) + "/" +
           std::to_string(static_cast<int>(date.year()));
}

} // namespace kelvo
