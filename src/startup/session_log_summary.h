#pragma once

#include "platform/status.h"
#include "speech/diagnostic_list.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// The largest minute total a day can have in the summary.
inline constexpr long long kMaxSummaryMinutes = 2147483646;

/// The records of a session log: each quoted field whole (it may run over
/// several lines), an unquoted field up to the next comma or line end.
/// Empty unquoted fields are left out.
std::vector<std::string> readSessionLogRecords(std::string_view text);

/// Decrypts one record of the log.
using SessionRecordDecryptor = std::function<Result<std::string>(std::string_view)>;

/// The summary of the decrypted records: for each run of consecutive
/// records of the same day, "--", the day, "-", the total minutes (at most
/// kMaxSummaryMinutes), "-" and the number of records. A record that can't
/// be decrypted or read is left out; the count of those is put in skipped.
std::string summarizeSessionRecords(const std::vector<std::string>& records,
                                    const SessionRecordDecryptor& decrypt, int& skipped);

/// The summary of the session log file; a missing log gives the empty
/// summary. An unreadable log or damaged records are left out and said in
/// the diagnostic list: a usage count is no reason to stop the program.
std::string summarizeSessionLog(const std::filesystem::path& logFile, DiagnosticList& diagnostics);

} // namespace kelvo
