#pragma once

#include "platform/status.h"
#include "services/error_sink.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace kelvo {

/// Reads a date, keeping only year, month and day.
///
/// isDate true: any date text the program or its server writes, with or
/// without a time after it: "m/d/yyyy" (month first, as shortDateText
/// writes), "m/d/yyyy h:mm:ss AM" and ISO "yyyy-mm-dd" or
/// "yyyy-mm-ddThh:mm:ss". isDate false: strictly "m/d/yyyy": month before
/// the first "/", day between the two, year the four characters after the
/// second; anything after the year is ignored. "12/3/2007" is the 3rd of
/// December in both modes. Fails on anything else, and on a day that does
/// not exist (2/30/2007).
Result<std::chrono::year_month_day> tryParseDate(std::string_view text, bool isDate);

/// A date and time to the second, read as tryParseDate reads with isDate
/// true; a date alone is its midnight. Zones and fractions of a second are
/// dropped: the moment is the wall-clock time the text shows.
Result<std::chrono::sys_seconds> tryParseDateTime(std::string_view text);

/// The program's date-and-time text: "m/d/yyyy h:mm:ss AM", or the date
/// alone at midnight. tryParseDateTime reads it back to the same second.
std::string dateTimeText(std::chrono::sys_seconds moment);

/// tryParseDate for callers that report: a text that is no date is
/// reported ("MutPpsd") and gives nothing.
std::optional<std::chrono::year_month_day> parseDate(std::string_view text, bool isDate,
                                                     ErrorSink& errors);

/// The program's short date text, "m/d/yyyy" without leading zeros.
std::string shortDateText(std::chrono::year_month_day date);

} // namespace kelvo
