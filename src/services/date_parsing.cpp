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
// a zone ("Z", "+hh:mm"); the whole rest of the text must be that.
bool isTime(std::string_view text, size_t pos) {
    const auto hours = readNumber(text, pos, 1, 2);
    if (!hours || !readChar(text, pos, ':')) {
        return false;
    }
    const auto minutes = readNumber(text, pos, 2, 2);
    if (!minutes || *minutes > 59) {
        return false;
    }
    if (readChar(text, pos, ':')) {
        const auto seconds = readNumber(text, pos, 2, 2);
        if (!seconds || *seconds > 59) {
            return false;
        }
        if (readChar(text, pos, '.') && !readNumber(text, pos, 1, 9)) {
            return false;
        }
    }
    skipBlanks(text, pos);
    const std::string_view rest = text.substr(pos);
    if (rest == "AM" || rest == "PM" || rest == "am" || rest == "pm") {
        return *hours >= 1 && *hours <= 12;
    }
    if (*hours > 23) {
        return false;
    }
    if (rest.empty() || rest == "Z") {
        return true;
    }
    if (rest[0] != '+' && rest[0] != '-') {
        return false;
    }
    pos = 1;
    const auto zoneHours = readNumber(rest, pos, 2, 2);
    readChar(rest, pos, ':');
    const auto zoneMinutes = readNumber(rest, pos, 2, 2);
    return zoneHours && zoneMinutes && pos == rest.size();
}

// The date ends at pos; what follows must be nothing or a time.
bool endsWellAfterDate(std::string_view text, size_t pos, bool iso) {
    if (pos == text.size()) {
        return true;
    }
    if (text[pos] == ' ' || (iso && text[pos] == 'T')) {
        ++pos;
        skipBlanks(text, pos);
        return isTime(text, pos);
    }
    return false;
}

std::optional<year_month_day> readMonthFirst(std::string_view text, bool strict) {
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
    if (!y || (!strict && !endsWellAfterDate(text, pos, false))) {
        return std::nullopt;
    }
    return makeDate(*y, *m, *d);
}

std::optional<year_month_day> readIso(std::string_view text) {
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
    if (!d || !endsWellAfterDate(text, pos, true)) {
        return std::nullopt;
    }
    return makeDate(*y, *m, *d);
}

} // namespace

Result<year_month_day> tryParseDate(std::string_view text, bool isDate) {
    const std::string_view clean = trimmed(text);
    auto date = isDate ? readMonthFirst(clean, false) : readMonthFirst(clean, true);
    if (!date && isDate) {
        date = readIso(clean);
    }
    if (!date) {
        return notADate(text);
    }
    return *date;
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
