#include "startup/close_down.h"

#include "speech/custom_command_store.h"
#include "speech/grammar_merge.h"
#include "speech/session_log.h"
#include "startup/program_hooks.h"

#include <utility>

namespace kelvo {

CloseDown::CloseDown(AppState& app, AppControl& control, ErrorSink& errors, const Clock& clock,
                     CloseDownReleases releases)
    : m_app(app), m_control(control), m_errors(errors), m_clock(clock),
      m_releases(std::move(releases)) {}

void CloseDown::run() {
    if (m_ran) {
        return;
    }
    m_ran = true;
    // Nothing may be heard while the files are written.
    if (m_releases.releaseSpeech) {
        m_releases.releaseSpeech();
    }
    if (m_releases.removeTrayIcon) {
        m_releases.removeTrayIcon();
    }
    m_control.pumpEvents();
    if (m_releases.deleteTemporaryPages) {
        m_releases.deleteTemporaryPages();
    }
    if (m_app.startup.dataFolder.empty()) {
        return;
    }
    const CatalogueFiles files = catalogueFilesOf(m_app);
    if (!m_app.startup.myDocumentsFolder.empty()) {
        backupCustomCommands(files, m_errors);
    }
    mergeCustomCommandsIntoGrammar(files, m_errors);
    if (Status logged = sessionLog(m_app.startup.dataFolder, m_clock, m_app.startup.startTime);
        !logged) {
        m_errors.reportError(logged.number(), logged.message(), kCloseDownLocation);
    }
}

} // namespace kelvo
