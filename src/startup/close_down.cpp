#include "startup/close_down.h"

#include "speech/custom_command_store.h"
#include "speech/grammar_merge.h"
#include "speech/session_log.h"
#include "startup/content_update.h"
#include "startup/program_hooks.h"

#include <exception>
#include <utility>

namespace kelvo {

namespace {

void call(const std::function<void()>& step) {
    if (step) {
        step();
    }
}

} // namespace

CloseDown::CloseDown(AppState& app, AppControl& control, ErrorSink& errors, const Clock& clock,
                     CloseDownReleases releases, CloseDownUpdate update)
    : m_app(app), m_control(control), m_errors(errors), m_clock(clock),
      m_releases(std::move(releases)), m_update(std::move(update)) {}

void CloseDown::shutdownProcess() {
    if (m_ran) {
        return;
    }
    m_ran = true;
    // Nothing may be heard, and no reply taken in, while the files are
    // written.
    call(m_releases.settleReport);
    call(m_releases.releaseSpeech);
    call(m_releases.removeTrayIcon);
    m_control.pumpEvents();
    call(m_releases.unloadOtherWindows);
    call(m_releases.deleteTemporaryPages);
    if (m_app.startup.dataFolder.empty()) {
        return;
    }
    if (m_releases.setBusyPointer) {
        m_releases.setBusyPointer(true);
    }
    bool due = false;
    updateContentWhenDue(due);

    const CatalogueFiles files = catalogueFilesOf(m_app);
    if (!m_app.startup.myDocumentsFolder.empty()) {
        backupCustomCommands(files, m_errors);
    }
    mergeCustomCommandsIntoGrammar(files, m_errors);
    if (due && m_update.window != nullptr) {
        m_update.window->close();
    }
    if (m_releases.setBusyPointer) {
        m_releases.setBusyPointer(false);
    }
    if (due) {
        m_control.pumpEvents();
    }
    if (Status logged = sessionLog(m_app.startup.dataFolder, m_clock, m_app.startup.startTime);
        !logged) {
        m_errors.reportError(logged.number(), logged.message(), kCloseDownLocation);
    }
}

void CloseDown::updateContentWhenDue(bool& due) {
    SettingsFile* settings = m_update.settings ? m_update.settings() : nullptr;
    if (settings == nullptr || m_update.http == nullptr || m_update.window == nullptr ||
        m_update.conflicts == nullptr || m_update.newVersion == nullptr) {
        return;
    }
    due = isContentUpdateDue(*settings, localDate(m_clock));
    if (!due || !m_app.exchange.replyOk) {
        return;
    }
    // A failed update must not cost the store, the grammar or the session.
    try {
        ContentUpdate update({m_app.exchange, *settings, *m_update.http, catalogueFilesOf(m_app),
                              m_app.startup.serverBase, *m_update.window, m_control, m_errors,
                              *m_update.conflicts, *m_update.newVersion, m_clock});
        update.run();
    } catch (const std::exception& e) {
        m_errors.reportError(error_number::kInvalidCall, e.what(), kCloseDownLocation);
    }
}

} // namespace kelvo
