#include "startup/report_due.h"

#include "services/date_parsing.h"
#include "services/hex_coding.h"

#include <charconv>
#include <optional>

namespace kelvo {

namespace {

using std::chrono::days;
using std::chrono::sys_days;

std::optional<long long> wholeNumber(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Later than date plus the given days; a very long interval never passes.
bool laterThan(std::chrono::year_month_day today, std::chrono::year_month_day date,
               long long interval) {
    constexpr long long kLongest = 1'000'000;
    if (interval > kLongest) {
        return false;
    }
    if (interval < -kLongest) {
        interval = -kLongest;
    }
    return sys_days(today) > sys_days(date) + days(interval);
}

// True when no content update ran yet ("x"), the stamp or the interval
// cannot be read, or more than the interval's days passed since the stamp.
bool updateIntervalPassed(const SettingsFile& settings, std::chrono::year_month_day today,
                          std::string_view defaultValue, int lastLength, int daysLength) {
    const std::string last = settings.readIni("Etowah", "Last", defaultValue, lastLength);
    if (last == "x") {
        return true;
    }
    auto lastText = decodeHex(last);
    auto lastDate = lastText ? tryParseDate(*lastText, true)
                             : Result<std::chrono::year_month_day>(lastText.error());
    const auto interval = wholeNumber(settings.readIni("Etowah", "Days", defaultValue, daysLength));
    return !lastDate || !interval || laterThan(today, *lastDate, *interval);
}

} // namespace

bool isContentUpdateDue(const SettingsFile& settings, std::chrono::year_month_day today) {
    return updateIntervalPassed(settings, today, "abcd", 25, 5);
}

bool isStartupReportDue(const SettingsFile& settings, std::chrono::year_month_day today) {
    if (updateIntervalPassed(settings, today, "abc", 30, 10)) {
        return true;
    }

    const std::string surveyDate = settings.readIni("Yazoo", "Date", "abc", 30);
    if (surveyDate == "x") {
        return settings.readIni("Yazoo", "Display", "abc", 10) == "True";
    }
    auto date = tryParseDate(surveyDate, false);
    return date && laterThan(today, *date, 30);
}

} // namespace kelvo
