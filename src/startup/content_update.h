#pragma once

#include "platform/clock.h"
#include "services/app_control.h"
#include "services/error_sink.h"
#include "services/http_client.h"
#include "services/settings_file.h"
#include "speech/catalogue_files.h"
#include "speech/conflicts_notice_port.h"
#include "startup/exchange_state.h"
#include "startup/report_due.h"
#include "windows/update_window_logic.h"
#include "windows/upgrade_notice_port.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace kelvo {

/// The version this program is.
inline constexpr std::string_view kProgramVersion = "2.7";

/// Today in the user's time zone.
std::chrono::year_month_day localDate(const Clock& clock);

/// True when serverVersion is a newer version than ours: dotted whole
/// numbers compared one by one ("2.10" is newer than "2.7"). A text that is
/// no such number is not newer.
bool isNewerVersion(std::string_view serverVersion, std::string_view ours = kProgramVersion);

/// What the content update works with.
struct ContentUpdateParts {
    ExchangeState& exchange;
    SettingsFile& settings;
    HttpClient& http;
    CatalogueFiles files;
    std::string serverBase;
    UpdateWindowLogic& window;
    AppControl& control;
    ErrorSink& errors;
    ConflictsNoticePort& conflicts;
    UpgradeNoticePort& newVersion;
    const Clock& clock;
};

/// The close-down's content update: the command and grammar files, the
/// pictures of the start page, ads and coupons, the ad panes of the next
/// start and the new-version notice. A file is saved only when the service
/// answered it whole, with a body that is not empty and, for XML, parses
/// with the root it must have; the old file is replaced through a temporary
/// one. Once the service cannot be reached, the run asks it nothing more.
/// A file it meant to fetch and did not, refused, cut short or not taken by
/// the disk, fails the update; only the service's "nothing for you" answers
/// do not.
class ContentUpdate {
public:
    explicit ContentUpdate(ContentUpdateParts parts) : m_p(std::move(parts)) {}

    /// The update's steps from the progress window to the version check.
    /// A failed update is said in the window and leaves `Etowah` `Last`
    /// unstamped, so the next close-down tries again.
    void run();

    /// Fetches the file of user.type (kind "xml" or "other") and saves it
    /// under target. False, with nothing saved, when the service is not
    /// reached, answers badly or with a page (its "nothing for you"), the
    /// file is not what its type must be, or it cannot be saved.
    bool downloadUpdateFile(const UserRecord& user, const std::filesystem::path& target,
                            std::string_view kind);

    /// Fetches the picture of key into the data folder unless the stored
    /// date of key is serverDate to the second; a 6-byte body means the
    /// service has none and changes nothing. The date is stamped only once
    /// the file is saved.
    void downloadOtherUpdateFile(std::string_view key, std::chrono::sys_seconds serverDate,
                                 std::string_view fileName);

    /// True once a request found the service unreachable.
    bool serviceUnreachable() const { return m_unreachable; }

private:
    void saveFailed(const std::string& why);
    std::optional<std::string> fetch(std::string_view path, const std::string& form,
                                     std::string_view what);
    bool commandFilesChanged() const;
    void updateCommandFiles();
    void updateOtherFiles();

    ContentUpdateParts m_p;
    bool m_unreachable = false;
    bool m_fileNotSent = false;
    bool m_fileNotSaved = false;
};

} // namespace kelvo
