#pragma once

#include "platform/clock.h"
#include "platform/instance_lock.h"
#include "platform/key_store.h"
#include "platform/random_source.h"
#include "platform/special_folders.h"
#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "startup/app_state.h"
#include "startup/startup_hooks.h"

#include <optional>
#include <string>
#include <vector>

namespace kelvo {

/// How the start-up ended.
enum class StartupOutcome {
    /// Another instance runs: end at once (nothing was touched).
    AnotherInstanceRuns,
    /// A step failed and the runtime-error window is open; its OK ends the
    /// program.
    Stopped,
    /// Everything ran; the program goes on with its events.
    Running,
};

/// The platform services the start-up uses.
struct StartupServices {
    InstanceLock& lock;
    SpecialFolders& folders;
    KeyStore& keys;
    Clock& clock;
    RandomSource& random;
};

/// The program's start: refuses a second instance, fixes the folders and
/// the run's shared values, counts the start, and runs the later steps
/// (report, sound, splash, grammar, windows, engine) through the hooks.
class StartupSequence {
public:
    StartupSequence(AppState& app, StartupServices services, MessageBoxes& boxes,
                    StartupHooks& hooks);

    /// Runs the whole start-up once. A failing step is reported in the
    /// runtime-error window ("number: description", "MutPma" and the step
    /// marker on lines of their own) and the steps after it don't run.
    StartupOutcome run();

    /// The step being run, or the one that failed ("m1" to "m73").
    const std::string& stepMarker() const { return m_marker; }

    /// The settings file, once the data folder is known.
    SettingsFile* settings() { return m_settings ? &*m_settings : nullptr; }

private:
    Status runSteps();
    Status fixFolders();
    void restoreCustomStore();
    void keepDamagedBackup(const std::filesystem::path& backup, const std::filesystem::path& store,
                           const std::string& damage);
    bool restoreFromBackup(const std::filesystem::path& backup, const std::filesystem::path& store);
    void noteUnreadableStore(const std::filesystem::path& store);
    void showNotices();
    void readServerBase();
    void readSystemFolders();
    void countStart();
    void makeInstallationId();
    Status sendReportWhenDue();
    void readCouponPanes();
    Status runWindowSteps();
    void readDefaultProfile();
    void showMainWindowBeforeTheEngine();
    Status showWhatTheUserSees();

    AppState& m_app;
    StartupState& m_state;
    StartupServices m_services;
    MessageBoxes& m_boxes;
    StartupHooks& m_hooks;
    std::optional<SettingsFile> m_settings;
    std::string m_marker;
    /// The files this start installed into the data folder.
    std::vector<std::string> m_installed;
    /// What the user must learn about damaged files, said at the end of
    /// the start.
    std::vector<std::string> m_notices;
    /// Why the documents folder cannot be used, said at the end too.
    std::string m_folderNotice;
};

/// True when a settings text's first four characters (after trimming) are
/// "True"; a cut "Fals" or "NotSet" is not.
bool startsWithTrue(std::string_view value);

} // namespace kelvo
