#pragma once

#include "platform/clock.h"
#include "services/app_control.h"
#include "services/error_sink.h"
#include "services/http_client.h"
#include "services/settings_file.h"
#include "speech/conflicts_notice_port.h"
#include "startup/app_state.h"
#include "windows/update_window_logic.h"
#include "windows/upgrade_notice_port.h"

#include <functional>

namespace kelvo {

/// Location code of a failure in the close-down.
inline constexpr const char* kCloseDownLocation = "FmouPsdp";

/// What the close-down lets go of before it saves. Any may be empty when
/// that piece never came to exist.
struct CloseDownReleases {
    std::function<void()> releaseSpeech;
    std::function<void()> removeTrayIcon;
    /// Deletes the filled social-login pages.
    std::function<void()> deleteTemporaryPages;
    /// Ends the start-up report: a request still under way is stopped.
    std::function<void()> settleReport;
    /// Closes the windows other than the main window (splash, about ...).
    std::function<void()> unloadOtherWindows;
    /// Hourglass (true) or normal pointer.
    std::function<void(bool)> setBusyPointer;
};

/// What the content update needs; without all of it no update runs.
struct CloseDownUpdate {
    std::function<SettingsFile*()> settings;
    HttpClient* http = nullptr;
    UpdateWindowLogic* window = nullptr;
    ConflictsNoticePort* conflicts = nullptr;
    UpgradeNoticePort* newVersion = nullptr;
};

/// The program's way out, run once however it is reached: the engine stops
/// hearing, the tray icon and the other windows go, the temporary login
/// pages are deleted, the content update runs when it is due and this run's
/// start-up reply was usable, the custom-command store is backed up and
/// merged into the grammar, and this run is added to the session log. The
/// caller ends the event loop after it. The notification area needs no
/// sweep for dead icons on Linux: the panel drops them itself.
class CloseDown {
public:
    CloseDown(AppState& app, AppControl& control, ErrorSink& errors, const Clock& clock,
              CloseDownReleases releases, CloseDownUpdate update = {});

    /// Runs the steps; a second call, also one from inside the steps (a
    /// quit while events are let run), does nothing. Before the start-up
    /// fixed the folders there is nothing to save, and nothing is written.
    /// A failing step is reported and the later steps still run: the store,
    /// the grammar and the session are never lost to a failed update.
    void shutdownProcess();

    bool ran() const { return m_ran; }

private:
    void updateContentWhenDue(bool& due);

    AppState& m_app;
    AppControl& m_control;
    ErrorSink& m_errors;
    const Clock& m_clock;
    CloseDownReleases m_releases;
    CloseDownUpdate m_update;
    bool m_ran = false;
};

} // namespace kelvo
