#pragma once

#include "platform/clock.h"
#include "platform/status.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace kelvo {

/// Name of the usage-session log in the data folder.
inline constexpr const char* kSessionLogFile = "sl.txt";

/// A calendar day in the user's time zone.
struct CalendarDay {
    int year = 1970;
    int month = 1;
    int day = 1;
};

/// Whole minutes of a run: 1 under 60 seconds, else seconds / 60 rounded
/// with halves to the even number.
long long sessionMinutes(std::chrono::seconds runLength);

/// The plain record: "MMDDYYYY", a TAB and the minutes.
std::string sessionLogLine(const CalendarDay& today, std::chrono::seconds runLength);

/// Appends this run's encrypted record (a double quote, the encrypted line,
/// a double quote, CR LF) to sl.txt, rewriting the file whole. Nothing is
/// written when the line cannot be encrypted or the old log cannot be read;
/// the failure is returned.
Status sessionLog(const std::filesystem::path& dataFolder, const CalendarDay& today,
                  std::chrono::seconds runLength);

/// sessionLog for the run that started at startTime and ends now: the date
/// is today's in the user's time zone.
Status sessionLog(const std::filesystem::path& dataFolder, const Clock& clock, TimePoint startTime);

/// Encrypts one session-log line.
using SessionLogEncryptor = std::function<Result<std::string>(std::string_view)>;

/// sessionLog with the encryption given.
Status sessionLog(const std::filesystem::path& dataFolder, const CalendarDay& today,
                  std::chrono::seconds runLength, const SessionLogEncryptor& encrypt);

} // namespace kelvo
