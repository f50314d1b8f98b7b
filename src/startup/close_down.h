#pragma once

#include "platform/clock.h"
#include "services/app_control.h"
#include "services/error_sink.h"
#include "startup/app_state.h"

#include <functional>

namespace kelvo {

/// Location code of a failure in the close-down.
inline constexpr const char* kCloseDownLocation = "FmouPsdp";

/// What the close-down releases before it saves: the engine, the tray icon
/// and the temporary pages. Any may be empty when that piece never came to
/// exist.
struct CloseDownReleases {
    std::function<void()> releaseSpeech;
    std::function<void()> removeTrayIcon;
    /// Deletes the filled social-login pages.
    std::function<void()> deleteTemporaryPages;
};

/// The program's way out, run once when the main window goes: the engine
/// stops hearing, the tray icon goes, the custom-command store is backed up
/// and merged into the grammar, and this run is added to the session log.
/// The caller ends the event loop after it.
class CloseDown {
public:
    CloseDown(AppState& app, AppControl& control, ErrorSink& errors, const Clock& clock,
              CloseDownReleases releases);

    /// Runs the steps; a second call does nothing. Before the start-up
    /// fixed the folders there is nothing to save, and nothing is written.
    void run();

    bool ran() const { return m_ran; }

private:
    AppState& m_app;
    AppControl& m_control;
    ErrorSink& m_errors;
    const Clock& m_clock;
    CloseDownReleases m_releases;
    bool m_ran = false;
};

} // namespace kelvo
