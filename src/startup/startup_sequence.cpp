#include "startup/startup_sequence.h"

#include "platform/atomic_file.h"
#include "services/hex_coding.h"
#include "services/text_crypto.h"
#include "speech/custom_command_store.h"
#include "speech/engine_controller.h"
#include "speech/session_log.h"
#include "startup/coupon_panes.h"
#include "startup/data_file_repair.h"
#include "startup/installation_id.h"
#include "startup/installed_defaults.h"
#include "startup/report_due.h"
#include "startup/session_log_summary.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxCountedStarts = 10;
constexpr const char* kCustomStoreFile = "commands_customfree.xml";
constexpr const char* kMusicPlayerKey = "SOFTWARE\\Apple Computer, Inc.\\iPod\\RegisteredApps\\4";
constexpr const char* kWindowsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// A whole number, or nothing for any other text. A number too large to
// hold counts as large.
std::optional<long long> startNumber(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range) {
        return text.front() == '-' ? std::nullopt : std::optional<long long>(kMaxCountedStarts);
    }
    if (error != std::errc()) {
        return std::nullopt;
    }
    return value;
}

std::chrono::year_month_day dateOf(const LocalDateTime& local) {
    return std::chrono::year_month_day{std::chrono::year(local.year),
                                       std::chrono::month(static_cast<unsigned>(local.month)),
                                       std::chrono::day(static_cast<unsigned>(local.day))};
}

} // namespace

bool startsWithTrue(std::string_view value) {
    return trimBlanks(value).substr(0, 4) == "True";
}

StartupSequence::StartupSequence(AppState& app, StartupServices services, MessageBoxes& boxes,
                                 StartupHooks& hooks)
    : m_app(app), m_state(app.startup), m_services(services), m_boxes(boxes), m_hooks(hooks) {}

StartupOutcome StartupSequence::run() {
    // Nothing is read or written before the lock is ours.
    auto only = m_services.lock.tryAcquire();
    if (only.ok() && !only.value()) {
        return StartupOutcome::AnotherInstanceRuns;
    }
    Status status = only.ok() ? runSteps() : only.error();
    // Said last, so no window the start opens covers it.
    showNotices();
    if (status.ok()) {
        return StartupOutcome::Running;
    }
    m_boxes.showRuntimeError("kelvo Error",
                             formatErrorReport(status.number(), status.message(), "MutPma") + "\n" +
                                 m_marker);
    return StartupOutcome::Stopped;
}

Status StartupSequence::runSteps() {
    m_state.startTime = m_services.clock.now();
    if (Status s = fixFolders(); !s) {
        return s;
    }
    restoreCustomStore();
    readServerBase();
    readSystemFolders();

    m_marker = "m8";
    m_state.reportDue = isStartupReportDue(*m_settings, dateOf(m_services.clock.localNow()));
    countStart();
    makeInstallationId();
    m_marker = "m11";
    if (Status s = m_hooks.prepareStartupReport(); !s) {
        return s;
    }
    if (Status s = sendReportWhenDue(); !s) {
        return s;
    }
    m_marker = "m18";
    if (Status s = m_hooks.takeInStartupReply(); !s) {
        return s;
    }

    m_hooks.setBusyPointer(true);
    readCouponPanes();
    m_marker = "m40";
    if (m_state.startCount == "x") {
        m_state.startCount = "0";
    }
    return runWindowSteps();
}

Status StartupSequence::fixFolders() {
    m_marker = "m1";
    auto startup = m_services.folders.startupFolder();
    auto data = m_services.folders.dataFolder();
    auto documents = m_services.folders.documentsFolder();
    if (!startup) {
        return startup.error();
    }
    if (!data) {
        return data.error();
    }
    m_state.startupFolder = *startup;
    m_state.dataFolder = *data;
    // Only the backup of the custom commands lives there: the program goes
    // on without it.
    if (documents) {
        m_state.myDocumentsFolder = *documents;
    } else {
        m_state.myDocumentsFolder.clear();
        m_folderNotice = "Your documents folder cannot be used (" + documents.error().message() +
                         "). kelvo starts without the backup of your custom commands kept "
                         "there, and backs them up only once the folder can be used again.";
    }
    m_state.programFolder = m_services.folders.programFolder();

    // A new data folder starts from the installed files, and a damaged one
    // is put back from them.
    const fs::path defaults = m_state.programFolder / kInstalledDefaultsFolder;
    if (Status s = installMissingDefaults(defaults, m_state.dataFolder, m_installed); !s) {
        return s;
    }
    const std::string repaired = repairNotice(repairDamagedDataFiles(defaults, m_state.dataFolder));
    if (!repaired.empty()) {
        m_notices.push_back(repaired);
    }
    m_settings.emplace(m_state.dataFolder / "mouse.ini", m_boxes);
    return {};
}

void StartupSequence::restoreCustomStore() {
    m_marker = "m2";
    const fs::path store = m_state.dataFolder / kCustomStoreFile;
    const bool storeReadable = readCustomCommandStore(store).ok();
    if (m_state.myDocumentsFolder.empty()) {
        if (!storeReadable) {
            noteUnreadableStore(store);
        }
        return;
    }
    const fs::path backup = m_state.myDocumentsFolder / kCustomStoreFile;
    std::error_code ec;
    bool backupUsable = false;
    if (fs::exists(fs::symlink_status(backup, ec))) {
        // A damaged backup would replace a good store: keep the store then.
        auto commands = readCustomCommandStore(backup);
        backupUsable = commands.ok();
        if (!commands) {
            keepDamagedBackup(backup, store, commands.error().message());
        }
    }
    // The empty store this start just installed is not the user's: the
    // backup is all the user has.
    const bool storeIsTheUsers =
        std::find(m_installed.begin(), m_installed.end(), kCustomStoreFile) == m_installed.end();
    if (!backupUsable) {
        if (!storeReadable) {
            noteUnreadableStore(store);
        }
        return;
    }
    if (!storeIsTheUsers) {
        restoreFromBackup(backup, store);
        return;
    }
    if (!storeReadable) {
        // Kept beside it: it may hold commands made after the backup.
        std::string failure;
        const fs::path kept = keepDamagedAside(store, failure);
        if (kept.empty()) {
            noteUnreadableStore(store);
            return;
        }
        if (restoreFromBackup(backup, store)) {
            m_notices.push_back(
                "Your custom commands could not be read from " + store.string() +
                "; they were put back from the backup in " + m_state.myDocumentsFolder.string() +
                ", and the unreadable file was kept as " + kept.filename().string() + ".");
        }
        return;
    }
    // The backup lags whenever a backup write failed or the program was
    // killed between a save and its backup: it only wins when it is the
    // newer file.
    const Result<std::string> backupText = readWholeFile(backup);
    const Result<std::string> storeText = readWholeFile(store);
    if (backupText.ok() && storeText.ok() && *backupText == *storeText) {
        return;
    }
    const auto storeTime = fs::last_write_time(store, ec);
    const bool backupNewer = ec || fs::last_write_time(backup, ec) >= storeTime;
    if (backupNewer) {
        restoreFromBackup(backup, store);
        return;
    }
    if (Status refreshed = copyFileAtomically(store, backup); !refreshed) {
        std::fprintf(stderr, "kelvo: backup %s not refreshed: %s\n", backup.c_str(),
                     refreshed.message().c_str());
    }
}

// The backup may be the user's only copy of the commands, mendable by
// hand: set aside, the next backups cannot replace it.
void StartupSequence::keepDamagedBackup(const fs::path& backup, const fs::path& store,
                                        const std::string& damage) {
    std::fprintf(stderr, "kelvo: backup %s not restored: %s\n", backup.c_str(), damage.c_str());
    std::string failure;
    const fs::path kept = keepDamagedAside(backup, failure);
    if (kept.empty()) {
        m_notices.push_back("The backup of your custom commands, " + backup.string() +
                            ", could not be read, nor set aside (" + failure +
                            "). kelvo leaves it as it is and backs up nothing over it.");
        return;
    }
    m_notices.push_back("The backup of your custom commands, " + backup.string() +
                        ", could not be read, so it was not put back. It was kept as " +
                        kept.filename().string() +
                        " beside it. To use it, mend it and, while kelvo is closed, copy it "
                        "over " +
                        store.string() + ".");
}

bool StartupSequence::restoreFromBackup(const fs::path& backup, const fs::path& store) {
    if (Status copied = copyFileAtomically(backup, store); !copied) {
        m_notices.push_back("Your custom commands could not be put back from the backup " +
                            backup.string() + ": " + copied.message());
        return false;
    }
    return true;
}

// Left as it is: it may be mended by hand, and the next save or backup
// must not replace it.
void StartupSequence::noteUnreadableStore(const fs::path& store) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(store, ec))) {
        return;
    }
    m_notices.push_back("Your custom commands could not be read from " + store.string() +
                        ". kelvo starts without them and leaves the file as it is; mend or "
                        "remove it, then start kelvo again.");
}

void StartupSequence::showNotices() {
    if (!m_folderNotice.empty()) {
        m_boxes.custMsgBox("Startup Problem", "ok", m_folderNotice, false);
    }
    if (m_notices.empty()) {
        return;
    }
    std::string text;
    for (const std::string& notice : m_notices) {
        text += (text.empty() ? "" : "\n\n") + notice;
    }
    m_boxes.custMsgBox("Damaged Files", "ok", text, false);
}

void StartupSequence::readServerBase() {
    m_marker = "m3";
    const std::string stored = m_settings->readIni("Etowah", "s", "x", 300);
    if (stored == "x") {
        return;
    }
    // A damaged address is as unset as "x": the error window's OK would
    // end the program over a value the next reply can replace.
    auto address = tryDecryptText(stored, kServerAddressPassphrase);
    if (!address) {
        std::fprintf(stderr, "kelvo: stored server address not used: %s\n",
                     address.error().message().c_str());
        return;
    }
    m_state.serverBase = std::move(address).value();
}

void StartupSequence::readSystemFolders() {
    m_marker = "m5";
    m_state.windowsDir = m_services.folders.systemFolder();
    m_state.systemDir = m_services.folders.systemFolder();

    m_marker = "m6";
    const bool common = m_services.keys.regQueryValue(RootKey::LocalMachine, kWindowsKey,
                                                      "CommonFilesDir", m_state.commonFilesDir);
    const bool programs = m_services.keys.regQueryValue(RootKey::LocalMachine, kWindowsKey,
                                                        "ProgramFilesDir", m_state.programFilesDir);
    if (!common || !programs) {
        m_boxes.custMsgBox("Startup Problem", "ok",
                           "Kelvo was unable to initialize correctly.  Windows may be improperly "
                           "installed.  Kelvo will not shut down.",
                           false);
    }
    m_services.keys.regQueryValue(RootKey::LocalMachine, kMusicPlayerKey, "path",
                                  m_state.iTunesPath);
}

void StartupSequence::countStart() {
    m_marker = "m9";
    m_state.startCount = m_settings->readIni("Welcome", "Uses", "abcd", 5);
    // A missing or unreadable count is taken as no start yet.
    const auto number =
        m_state.startCount == "x" ? std::optional<long long>(0) : startNumber(m_state.startCount);
    if (!number) {
        m_state.startCount = "x";
    }
    const long long count = number.value_or(0);
    if (count < kMaxCountedStarts) {
        m_settings->writeIni("Welcome", "Uses", std::to_string(count + 1));
    }
}

void StartupSequence::makeInstallationId() {
    m_marker = "m10";
    const std::string stored = m_settings->readIni("Yazoo", "Random", "abc", 50);
    // An absent identifier is as unset as "x".
    if (trimBlanks(stored).starts_with("x") || !m_settings->hasKey("Yazoo", "Random")) {
        m_settings->writeIni(
            "Yazoo", "Random",
            kelvo::makeInstallationId(m_services.random, m_services.clock.localNow()));
    }
}

Status StartupSequence::sendReportWhenDue() {
    m_marker = "m12";
    // Without a service address no report can go: the log waits for one.
    if (!m_state.reportDue || m_state.serverBase.empty()) {
        return {};
    }
    m_marker = "m13";
    const fs::path log = m_state.dataFolder / kSessionLogFile;
    m_state.sessionSummary = summarizeSessionLog(log, m_app.dispatch.diagnostics);
    m_marker = "m14";
    std::error_code ec;
    if (fs::exists(log, ec) && !fs::remove(log, ec)) {
        // A log that stays would be counted again by the next report.
        m_app.dispatch.diagnostics.append("session log left out of the start-up report: cannot "
                                          "delete " +
                                          log.string() + ": " + ec.message());
        m_state.sessionSummary.clear();
    }
    m_marker = "m15";
    return m_hooks.postStartupReport(m_state.sessionSummary);
}

void StartupSequence::readCouponPanes() {
    for (int k = 1; k <= 4; ++k) {
        m_marker = "m" + std::to_string(35 + k);
        const std::string stored = m_settings->readIni("Cpn", "Cp" + std::to_string(k), "abc", 150);
        // A missing or malformed pane stays unset (not shown).
        auto decoded = m_settings->hasKey("Cpn", "Cp" + std::to_string(k))
                           ? decodeHex(stored)
                           : Result<std::string>(Status::failure(0, "absent"));
        const size_t index = static_cast<size_t>(k - 1);
        m_state.couponPane[index] = decoded ? couponPaneFromText(*decoded) : CouponPane{};
        m_state.adPaneCouponPicture[index] = "coupon" + std::to_string(k) + ".gif";
    }
}

Status StartupSequence::runWindowSteps() {
    m_marker = "m41";
    if (Status s = m_hooks.playWelcomeSound(m_state.programFolder / "welcome.mp3"); !s) {
        return s;
    }
    m_marker = "m42";
    if (startsWithTrue(m_settings->readIni("Splash", "DisplayOnStart", "abc", 5))) {
        m_marker = "m43";
        if (Status s = m_hooks.showSplashModal(); !s) {
            return s;
        }
    }
    m_marker = "m44";
    m_app.speech.grammarFile = kGrammarFile;
    m_marker = "m45";
    if (Status s = m_hooks.mergeCustomCommandsIntoGrammar(); !s) {
        return s;
    }
    m_marker = "m47";
    if (Status s = m_hooks.loadMainWindow(); !s) {
        return s;
    }
    m_marker = "m49";
    if (Status s = m_hooks.loadAboutWindow(); !s) {
        return s;
    }
    m_marker = "m50";
    if (Status s = m_hooks.showAdPanes(adPaneLayout(m_state.couponPane, m_state.dataFolder)); !s) {
        return s;
    }
    m_marker = "m58";
    if (m_settings->readIni("Amite", "Date", "abc", 100) != "x") {
        m_marker = "m59";
        if (Status s = m_hooks.loadMusicLists(); !s) {
            return s;
        }
    }
    m_marker = "m60";
    m_state.helpFile = m_state.programFolder / "kelvo_r1.chm";
    m_marker = "m61";
    if (Status s = m_hooks.showMouseHandedness(); !s) {
        return s;
    }
    readDefaultProfile();
    showMainWindowBeforeTheEngine();

    m_hooks.controlEngine(engine_action::kCrankUpEngine, m_state.defaultProfileName);
    m_marker = "m66";
    m_hooks.controlEngine(engine_action::kGetAudioInput, m_state.defaultProfileName);
    m_marker = "m67";
    m_hooks.controlEngine(engine_action::kStartListening, m_state.defaultProfileName);
    return showWhatTheUserSees();
}

void StartupSequence::readDefaultProfile() {
    m_marker = "m62";
    const std::string stored = m_settings->readIni("Parallax", "visual", "", 150);
    if (stored == "x" || stored.empty()) {
        m_marker = "m65";
        m_state.defaultProfileName.clear();
        return;
    }
    m_marker = "m64";
    // A damaged name is as unset as "x": the engine starts with its default.
    auto name = decodeHex(stored);
    if (!name) {
        std::fprintf(stderr, "kelvo: stored default profile not used: %s\n",
                     name.error().message().c_str());
        m_state.defaultProfileName.clear();
        return;
    }
    m_state.defaultProfileName = std::move(name).value();
}

// The engine is slow to start: a main window the user is going to see anyway
// is shown and painted first. The last step still reports any failure to
// show it. A named voice profile may turn out missing once the engine looks
// for it, and then the profile wizard shows instead of the main window, so
// the window waits for the engine then.
void StartupSequence::showMainWindowBeforeTheEngine() {
    if (m_settings->readIni("Ohio", "First", "abc", 3) == "x" ||
        !startsWithTrue(m_settings->readIni("Main", "DisplayOnStart", "NotSet", 7)) ||
        !m_state.defaultProfileName.empty()) {
        return;
    }
    if (m_hooks.hideFirstTimeFrame().ok() && m_hooks.showMainWindow().ok()) {
        m_hooks.letWindowPaint();
    }
}

Status StartupSequence::showWhatTheUserSees() {
    m_marker = "m68";
    if (m_settings->readIni("Ohio", "First", "abc", 3) == "x") {
        m_marker = "m69";
        m_hooks.setBusyPointer(false);
        m_app.speech.profileDialogMode = "FirstTime";
        if (Status s = m_hooks.showCreateProfileWizard(); !s) {
            return s;
        }
        m_marker = "m70";
        if (!m_app.speech.muted) {
            if (Status s = m_hooks.loadTrainingGrammar(kTrainingGrammarFile); !s) {
                return s;
            }
        }
        m_marker = "m71";
        return {};
    }
    m_marker = "m71";
    if (Status s = m_hooks.hideFirstTimeFrame(); !s) {
        return s;
    }
    const std::string showMain = m_settings->readIni("Main", "DisplayOnStart", "NotSet", 7);
    m_marker = "m72";
    if (startsWithTrue(showMain)) {
        m_marker = "m73";
        const bool missingDefault =
            m_app.speech.profileDialogMode.find("MissingDefault") != std::string::npos;
        if (Status s =
                missingDefault ? m_hooks.showSelectProfileWizard() : m_hooks.showMainWindow();
            !s) {
            return s;
        }
    }
    m_hooks.setBusyPointer(false);
    return {};
}

} // namespace kelvo
