#pragma once

#include "services/settings_file.h"

#include <chrono>

namespace kelvo {

/// True when the start-up report is due today: no content update yet, the
/// update interval (`Etowah` `Days`) has passed since the last one, the
/// questionnaire waits for its first date, or 30 days passed since the
/// questionnaire date. A missing or malformed setting counts as unset: an
/// unknown last update or interval makes the report due, an unreadable
/// questionnaire date is passed over.
bool isStartupReportDue(const SettingsFile& settings, std::chrono::year_month_day today);

/// True when the close-down's content update is due: never run yet
/// (`Etowah` `Last` "x"), or more than `Etowah` `Days` whole days since it
/// last ran. An unreadable date or interval counts as due, as for the
/// report.
bool isContentUpdateDue(const SettingsFile& settings, std::chrono::year_month_day today);

} // namespace kelvo
