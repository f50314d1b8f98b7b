#include "startup/startup_sequence.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_instance_lock.h"
#include "fakes/fake_key_store.h"
#include "fakes/fake_random_source.h"
#include "fakes/fake_special_folders.h"
#include "fakes/fake_startup_hooks.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "services/hex_coding.h"
#include "services/text_crypto.h"
#include "startup/installed_defaults.h"
#include "test_paths.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <regex>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

const char* const kWindowsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

class StartupSequenceTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    AppState app;
    fakes::FakeInstanceLock lock;
    fakes::FakeSpecialFolders folders{dir.path()};
    fakes::FakeKeyStore keys;
    fakes::FakeClock clock;
    fakes::FakeRandomSource random;
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl control;
    MessageBoxes boxes{app.messageBoxes, dialogs, control};
    fakes::FakeStartupHooks hooks;
    fakes::FakeErrorSink quiet;
    StartupSequence sequence{app, {lock, folders, keys, clock, random}, boxes, hooks};

    void SetUp() override {
        folders.program = KELVO_RESOURCES_DIR;
        keys.set(RootKey::LocalMachine, kWindowsKey, "CommonFilesDir", "/usr/share");
        keys.set(RootKey::LocalMachine, kWindowsKey, "ProgramFilesDir", "/opt");
    }

    // Puts the installed files in place as a previous start would have.
    void installDefaults() {
        std::vector<std::string> names;
        ASSERT_TRUE(installMissingDefaults(fs::path(KELVO_RESOURCES_DIR) / kInstalledDefaultsFolder,
                                           folders.data, names)
                        .ok());
    }
    SettingsFile settings() { return SettingsFile(folders.data / "mouse.ini", quiet); }

    /// A start on folders of its own, for cases run one after another.
    struct FreshStart {
        explicit FreshStart(StartupSequenceTest& test)
            : boxes{state.messageBoxes, dialogs, test.control},
              start{state, {test.lock, own, test.keys, test.clock, test.random}, boxes, hooks} {
            own.program = KELVO_RESOURCES_DIR;
        }
        fakes::TempDir root;
        AppState state;
        fakes::FakeSpecialFolders own{root.path()};
        fakes::FakeDialogPort dialogs;
        MessageBoxes boxes;
        fakes::FakeStartupHooks hooks;
        StartupSequence start;
    };

    // A start of its own on the installed settings, for table cases.
    struct OwnStart {
        SettingsFile& ini;
        AppState& state;
        fakes::FakeStartupHooks& hooks;

        void set(const std::string& section, const std::string& key, const std::string& value) {
            ASSERT_TRUE(ini.writeIni(section, key, value));
        }
        // The engine finds no voice profile of that name, as after the user
        // removed it.
        void engineMissesProfile(const std::string& name) {
            hooks.onEngine = [this, name](std::string_view action) {
                if (action == "crankUpEngine") {
                    state.speech.profileDialogMode = "MissingDefault - " + name;
                }
            };
        }
    };
    // Runs the start once `prepare` has set it up; returns the steps it ran.
    std::vector<std::string> runOwnStart(const std::function<void(OwnStart&)>& prepare) {
        fakes::TempDir root;
        AppState state;
        fakes::FakeSpecialFolders ownFolders{root.path()};
        ownFolders.program = KELVO_RESOURCES_DIR;
        MessageBoxes ownBoxes{state.messageBoxes, dialogs, control};
        fakes::FakeStartupHooks ownHooks;
        std::vector<std::string> names;
        EXPECT_TRUE(installMissingDefaults(ownFolders.program / kInstalledDefaultsFolder,
                                           ownFolders.data, names)
                        .ok());
        SettingsFile ini(ownFolders.data / "mouse.ini", quiet);
        OwnStart start{ini, state, ownHooks};
        prepare(start);
        StartupSequence own{state, {lock, ownFolders, keys, clock, random}, ownBoxes, ownHooks};
        EXPECT_EQ(own.run(), StartupOutcome::Running);
        return ownHooks.calls;
    }
    static bool contains(const std::vector<std::string>& calls, const std::string& call) {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
    void set(const std::string& section, const std::string& key, const std::string& value) {
        installDefaults();
        ASSERT_TRUE(settings().writeIni(section, key, value));
    }
    std::string get(const std::string& section, const std::string& key) {
        return settings().readIni(section, key, "<absent>", 300);
    }
    void removeKey(const std::string& section, const std::string& key) {
        installDefaults();
        auto text = readWholeFile(folders.data / "mouse.ini").value();
        std::string kept;
        bool inSection = false;
        size_t start = 0;
        while (start < text.size()) {
            const size_t end = text.find('\n', start);
            const std::string line = text.substr(start, end - start);
            start = end == std::string::npos ? text.size() : end + 1;
            if (line.starts_with("[")) {
                inSection = line == "[" + section + "]";
            } else if (inSection && line.starts_with(key + "=")) {
                continue;
            }
            kept += line + "\n";
        }
        ASSERT_TRUE(writeFileAtomically(folders.data / "mouse.ini", kept).ok());
    }
    static std::string textOf(const fs::path& file) {
        auto text = readWholeFile(file);
        return text ? *text : "(unreadable)";
    }
    const fakes::FakeDialogPort::Shown* runtimeError() const {
        for (const auto& shown : dialogs.shown) {
            if (shown.kind == "runtime") {
                return &shown;
            }
        }
        return nullptr;
    }
};

TEST_F(StartupSequenceTest, SecondInstanceEndsBeforeTouchingAnyFile) {
    lock.heldElsewhere = true;
    EXPECT_EQ(sequence.run(), StartupOutcome::AnotherInstanceRuns);
    EXPECT_EQ(lock.attempts, 1);
    EXPECT_TRUE(folders.calls.empty());
    EXPECT_TRUE(keys.queries.empty());
    EXPECT_TRUE(hooks.calls.empty());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(StartupSequenceTest, LockThatCannotBeMadeStopsBeforeAnyFile) {
    lock.fails = true;
    EXPECT_EQ(sequence.run(), StartupOutcome::Stopped);
    ASSERT_NE(runtimeError(), nullptr);
    EXPECT_EQ(runtimeError()->message, "75: lock file can't be made\nMutPma\n");
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(StartupSequenceTest, FirstStartInstallsDefaultsAndRunsEveryStep) {
    ASSERT_EQ(sequence.run(), StartupOutcome::Running) << dialogs.shown.size();
    for (const char* file : {"mouse.ini", "commands.xml", "commands_customfree.xml", "en_CLICK.XML",
                             "en_CLICK_mute.XML", "min.xml"}) {
        EXPECT_TRUE(fs::exists(folders.data / file)) << file;
    }
    EXPECT_EQ(get("Welcome", "Uses"), "1");
    EXPECT_EQ(app.startup.startCount, "0");
    EXPECT_TRUE(std::regex_match(get("Yazoo", "Random"), std::regex("a50000"
                                                                    "3790a")));
    EXPECT_EQ(app.startup.startTime, clock.now());
    EXPECT_EQ(app.startup.dataFolder, folders.data);
    EXPECT_EQ(app.startup.myDocumentsFolder, folders.documents);
    EXPECT_EQ(app.startup.startupFolder, folders.startup);
    EXPECT_EQ(app.startup.programFolder, fs::path(KELVO_RESOURCES_DIR));
    EXPECT_EQ(app.startup.serverBase, "");
    EXPECT_EQ(app.startup.programFilesDir, "/opt");
    EXPECT_EQ(app.startup.iTunesPath, "");
    EXPECT_TRUE(app.startup.reportDue);
    EXPECT_EQ(app.speech.grammarFile, "en_CLICK.XML");
    EXPECT_EQ(app.speech.profileDialogMode, "FirstTime");
    EXPECT_EQ(app.startup.adPaneCouponPicture[2], "coupon3.gif");
    EXPECT_EQ(app.startup.helpFile, fs::path(KELVO_RESOURCES_DIR) / "kelvo_r1.chm");
    // No service address is installed, so no report goes.
    const std::vector<std::string> expected = {"prepareReport",
                                               "takeInReply",
                                               "busy",
                                               "welcome:welcome.mp3",
                                               "splash",
                                               "merge",
                                               "loadMain",
                                               "loadAbout",
                                               "adPanes:0000",
                                               "handedness",
                                               "engine:crankUpEngine:",
                                               "engine:getaudioinput:",
                                               "engine:startListening:",
                                               "normal",
                                               "createProfile",
                                               "training:min.xml"};
    EXPECT_EQ(hooks.calls, expected);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(StartupSequenceTest, StartCounter) {
    struct Case {
        std::optional<std::string> stored; // nullopt: no key at all
        std::string written;
        std::string startCount;
    };
    const std::vector<Case> cases = {
        {"x", "1", "0"},
        {"0", "1", "0"},
        {"3", "4", "3"},
        {"9", "10", "9"},
        {"10", "10", "10"},
        {"25", "25", "25"},
        {"many", "1", "0"},
        {"", "1", "0"},
        {std::nullopt, "1", "0"},
        // Read with five characters, a long number is cut to four.
        {"99999999999999999999", "99999999999999999999", "9999"},
    };
    for (const Case& c : cases) {
        fakes::TempDir root;
        AppState state;
        fakes::FakeSpecialFolders caseFolders{root.path()};
        caseFolders.program = KELVO_RESOURCES_DIR;
        MessageBoxes caseBoxes{state.messageBoxes, dialogs, control};
        std::vector<std::string> names;
        ASSERT_TRUE(
            installMissingDefaults(caseFolders.program / "defaults", caseFolders.data, names).ok());
        SettingsFile ini(caseFolders.data / "mouse.ini", quiet);
        if (c.stored) {
            ASSERT_TRUE(ini.writeIni("Welcome", "Uses", *c.stored));
        } else {
            auto text = readWholeFile(ini.path()).value();
            text.replace(text.find("Uses=x\n"), 7, "");
            ASSERT_TRUE(writeFileAtomically(ini.path(), text).ok());
        }
        StartupSequence caseSequence{
            state, {lock, caseFolders, keys, clock, random}, caseBoxes, hooks};
        EXPECT_EQ(caseSequence.run(), StartupOutcome::Running) << c.stored.value_or("absent");
        EXPECT_EQ(ini.readIni("Welcome", "Uses", "<absent>", 30), c.written)
            << c.stored.value_or("absent");
        EXPECT_EQ(state.startup.startCount, c.startCount) << c.stored.value_or("absent");
    }
}

TEST_F(StartupSequenceTest, InstallationIdIsMadeOnce) {
    set("Yazoo", "Random", "a77777123100a");
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    EXPECT_EQ(get("Yazoo", "Random"), "a77777123100a");
    EXPECT_EQ(random.draws, 0);
}

TEST_F(StartupSequenceTest, AbsentInstallationIdIsMade) {
    removeKey("Yazoo", "Random");
    random.queued.push_back(0.31415);
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    EXPECT_EQ(get("Yazoo", "Random"), "a314153790a");
}

TEST_F(StartupSequenceTest, BackupOfTheCustomStoreIsRestored) {
    installDefaults();
    const std::string backup =
        "<?xml version=\"1.0\"?>\n<cset><c d=\"my mail\" u=\"https://mail.example\">my "
        "mail</c></cset>\n";
    ASSERT_TRUE(writeFileAtomically(folders.documents / "commands_customfree.xml", backup).ok());
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    EXPECT_EQ(readWholeFile(folders.data / "commands_customfree.xml").value(), backup);
}

// A damaged backup may be the user's only copy, mendable by hand: into a
// new data folder or beside a store of the user's, it is set aside, so no
// later backup replaces it, and the start says so.
TEST_F(StartupSequenceTest, DamagedBackupIsSetAsideAndTheStoreLeftAlone) {
    for (const bool newDataFolder : {true, false}) {
        FreshStart fresh(*this);
        auto& own = fresh.own;
        const std::string store =
            "<?xml version=\"1.0\"?>\n<cset><c d=\"a\" u=\"b\">a</c></cset>\n";
        if (!newDataFolder) {
            ASSERT_TRUE(writeFileAtomically(own.data / "commands_customfree.xml", store).ok());
        }
        const std::string damaged = "<cset><c d=\"my mail\" u=\"https://m.example\">my ma";
        ASSERT_TRUE(writeFileAtomically(own.documents / "commands_customfree.xml", damaged).ok());
        ASSERT_EQ(fresh.start.run(), StartupOutcome::Running) << newDataFolder;
        EXPECT_FALSE(fs::exists(own.documents / "commands_customfree.xml")) << newDataFolder;
        EXPECT_EQ(textOf(own.documents / "commands_customfree.xml.damaged"), damaged);
        if (!newDataFolder) {
            EXPECT_EQ(textOf(own.data / "commands_customfree.xml"), store);
        }
        ASSERT_EQ(fresh.dialogs.shown.size(), 1u) << newDataFolder;
        EXPECT_EQ(fresh.dialogs.shown[0].title, "Damaged Files");
        EXPECT_NE(fresh.dialogs.shown[0].message.find("commands_customfree.xml.damaged"),
                  std::string::npos);
    }
}

// Only the backup lives there: the start goes on without it and says so.
TEST_F(StartupSequenceTest, AnUnusableDocumentsFolderOnlyCostsTheBackup) {
    folders.documents.clear();
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    EXPECT_EQ(runtimeError(), nullptr);
    EXPECT_TRUE(app.startup.myDocumentsFolder.empty());
    EXPECT_TRUE(hooks.called("createProfile"));
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().title, "Startup Problem");
    EXPECT_NE(dialogs.shown.back().message.find("no documents folder"), std::string::npos);
}

// Without the backup, a damaged store is still said: every reader then
// lists no custom command, counting on the start to have told the user.
TEST_F(StartupSequenceTest, AnUnusableDocumentsFolderStillLeavesADamagedStoreSaid) {
    installDefaults();
    ASSERT_TRUE(writeFileAtomically(folders.data / "commands_customfree.xml", "<cset><c d=").ok());
    folders.documents.clear();
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().title, "Damaged Files");
    EXPECT_EQ(textOf(folders.data / "commands_customfree.xml"), "<cset><c d=");
}

TEST_F(StartupSequenceTest, AnOlderBackupNeverReplacesANewerStore) {
    installDefaults();
    std::string store = "<?xml version=\"1.0\"?>\n<cset>";
    for (int k = 0; k < 2000; ++k) {
        store += "<c d=\"cmd " + std::to_string(k) + "\" u=\"https://x.example/\">c</c>";
    }
    store += "</cset>\n";
    const auto storeFile = folders.data / "commands_customfree.xml";
    const auto backupFile = folders.documents / "commands_customfree.xml";
    ASSERT_TRUE(writeFileAtomically(storeFile, store).ok());
    ASSERT_TRUE(writeFileAtomically(backupFile, "<?xml version=\"1.0\"?>\n<cset></cset>\n").ok());
    std::filesystem::last_write_time(backupFile, std::filesystem::last_write_time(storeFile) -
                                                     std::chrono::hours(1));
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    EXPECT_EQ(readWholeFile(storeFile).value(), store);
    EXPECT_EQ(readWholeFile(backupFile).value(), store);
}

TEST_F(StartupSequenceTest, ADamagedStoreIsRestoredFromAnOlderBackupAndKept) {
    installDefaults();
    const std::string backup = "<?xml version=\"1.0\"?>\n<cset><c d=\"a\" u=\"b\">a</c></cset>\n";
    const auto storeFile = folders.data / "commands_customfree.xml";
    const auto backupFile = folders.documents / "commands_customfree.xml";
    ASSERT_TRUE(writeFileAtomically(backupFile, backup).ok());
    ASSERT_TRUE(writeFileAtomically(storeFile, "<cset><c d=").ok());
    std::filesystem::last_write_time(backupFile, std::filesystem::last_write_time(storeFile) -
                                                     std::chrono::hours(1));
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    EXPECT_EQ(readWholeFile(storeFile).value(), backup);
    EXPECT_EQ(readWholeFile(folders.data / "commands_customfree.xml.damaged").value(),
              "<cset><c d=");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Damaged Files");
}

// A new or wiped data folder gets the installed empty store first; the
// backup, however old, is what the user had.
TEST_F(StartupSequenceTest, AnOlderBackupIsRestoredIntoANewDataFolder) {
    std::string backup = "<?xml version=\"1.0\"?>\n<cset>";
    for (int k = 0; k < 40; ++k) {
        backup += "<c d=\"cmd " + std::to_string(k) + "\" u=\"https://x.example/\">cmd " +
                  std::to_string(k) + "</c>";
    }
    backup += "</cset>\n";
    const auto backupFile = folders.documents / "commands_customfree.xml";
    ASSERT_TRUE(writeFileAtomically(backupFile, backup).ok());
    fs::last_write_time(backupFile, fs::file_time_type::clock::now() - std::chrono::hours(72));
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    EXPECT_EQ(readWholeFile(folders.data / "commands_customfree.xml").value(), backup);
    EXPECT_EQ(readWholeFile(backupFile).value(), backup);
}

// Each catalogue and grammar file damaged in turn, and every installed
// file with a folder in its place, is put back from the installed
// defaults, the damaged one kept beside it; the start goes on, says so,
// and the custom commands stay.
TEST_F(StartupSequenceTest, DamagedDataFilesArePutBack) {
    const std::string store = "<?xml version=\"1.0\"?>\n<cset><c d=\"my mail\" "
                              "u=\"https://m.example\">my mail</c></cset>\n";
    const fs::path defaults = fs::path(KELVO_RESOURCES_DIR) / kInstalledDefaultsFolder;
    for (const fs::directory_entry& entry : fs::directory_iterator(defaults)) {
        const std::string name = entry.path().filename().string();
        if (name == "commands_customfree.xml") {
            continue;
        }
        const bool checked = name == "commands.xml" || name.ends_with(".XML") || name == "min.xml";
        const std::string installed = readWholeFile(entry.path()).value();
        const struct {
            const char* how;
            std::string text; // "/" for a folder in its place
        } damages[] = {{"garbage", "\x01\x02 not xml at all"},
                       {"truncated", installed.substr(0, installed.size() / 2)},
                       {"empty", ""},
                       {"a folder", "/"},
                       {"no command", "<commands/>"}};
        for (const auto& damage : damages) {
            // Any text will do for the other files.
            if (!checked && damage.text != "/") {
                continue;
            }
            FreshStart fresh(*this);
            auto& own = fresh.own;
            std::vector<std::string> names;
            ASSERT_TRUE(installMissingDefaults(defaults, own.data, names).ok());
            ASSERT_TRUE(writeFileAtomically(own.data / "commands_customfree.xml", store).ok());
            const fs::path file = own.data / name;
            fs::remove(file);
            if (damage.text == "/") {
                fs::create_directories(file / "inside");
            } else {
                ASSERT_TRUE(writeFileAtomically(file, damage.text).ok());
            }
            const std::string what = name + " " + damage.how;
            EXPECT_EQ(fresh.start.run(), StartupOutcome::Running) << what;
            if (name == "mouse.ini") {
                // Put back, then counted in as every start is.
                EXPECT_NE(textOf(file).find("[Welcome]\nUses=1\n"), std::string::npos) << what;
            } else {
                EXPECT_EQ(textOf(file), installed) << what;
            }
            const fs::path kept = own.data / (name + ".damaged");
            if (damage.text == "/") {
                EXPECT_TRUE(fs::is_directory(kept / "inside")) << what;
            } else {
                EXPECT_EQ(textOf(kept), damage.text) << what;
            }
            EXPECT_EQ(readWholeFile(own.data / "commands_customfree.xml").value(), store) << what;
            ASSERT_EQ(fresh.dialogs.shown.size(), 1u) << what;
            EXPECT_EQ(fresh.dialogs.shown[0].kind, "modeless") << what;
            EXPECT_NE(fresh.dialogs.shown[0].message.find(name), std::string::npos) << what;
        }
    }
}

// Without a backup to restore from, a store that cannot be read stays as
// it is: the start goes on without it and says so.
TEST_F(StartupSequenceTest, AnUnreadableStoreIsLeftAsItIs) {
    for (const std::string damage : {"<cset><c d=", "", "/"}) {
        FreshStart fresh(*this);
        auto& own = fresh.own;
        const fs::path storeFile = own.data / "commands_customfree.xml";
        if (damage == "/") {
            fs::create_directories(storeFile);
        } else {
            ASSERT_TRUE(writeFileAtomically(storeFile, damage).ok());
        }
        EXPECT_EQ(fresh.start.run(), StartupOutcome::Running) << damage;
        if (damage == "/") {
            EXPECT_TRUE(fs::is_directory(storeFile));
        } else {
            EXPECT_EQ(readWholeFile(storeFile).value(), damage);
        }
        EXPECT_FALSE(fs::exists(own.data / "commands_customfree.xml.damaged")) << damage;
        ASSERT_EQ(fresh.dialogs.shown.size(), 1u) << damage;
        EXPECT_EQ(fresh.dialogs.shown[0].title, "Damaged Files");
        EXPECT_NE(fresh.dialogs.shown[0].message.find("could not be read"), std::string::npos);
    }
}

TEST_F(StartupSequenceTest, StoredServerAddressIsDecrypted) {
    auto encrypted = tryEncryptText("https://service.example/", kServerAddressPassphrase);
    ASSERT_TRUE(encrypted.ok());
    set("Etowah", "s", *encrypted);
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    EXPECT_EQ(app.startup.serverBase, "https://service.example/");
}

TEST_F(StartupSequenceTest, DueReportSummarisesAndDeletesTheSessionLog) {
    installDefaults();
    set("Etowah", "s", tryEncryptText("http://127.0.0.1:9/", kServerAddressPassphrase).value());
    auto record = tryEncryptText("03062009\t12", kSessionLogPassphrase);
    ASSERT_TRUE(record.ok());
    ASSERT_TRUE(
        writeFileAtomically(folders.data / "sl.txt", "\"" + *record + "\"\r\n\"damaged\"\r\n")
            .ok());
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    EXPECT_TRUE(hooks.called("postReport:--03062009-12-1"));
    EXPECT_EQ(app.startup.sessionSummary, "--03062009-12-1");
    EXPECT_FALSE(fs::exists(folders.data / "sl.txt"));
    // The damaged record is only said in the diagnostic list: an error
    // window would end the program.
    EXPECT_EQ(runtimeError(), nullptr);
    EXPECT_EQ(app.dispatch.diagnostics.lines().size(), 1u);
}

TEST_F(StartupSequenceTest, DueReportWithoutAServiceAddressKeepsTheSessionLog) {
    installDefaults();
    ASSERT_TRUE(writeFileAtomically(folders.data / "sl.txt", "\"abc\"\r\n").ok());
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    EXPECT_TRUE(app.startup.reportDue);
    EXPECT_FALSE(hooks.called("postReport:"));
    EXPECT_TRUE(fs::exists(folders.data / "sl.txt"));
}

TEST_F(StartupSequenceTest, ReportNotDueKeepsTheSessionLog) {
    set("Etowah", "Last", stringToHex("3/6/2009"));
    set("Etowah", "Days", "7");
    set("Yazoo", "Display", "False");
    ASSERT_TRUE(writeFileAtomically(folders.data / "sl.txt", "\"abc\"\r\n").ok());
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    EXPECT_FALSE(app.startup.reportDue);
    EXPECT_FALSE(hooks.called("postReport:"));
    EXPECT_TRUE(fs::exists(folders.data / "sl.txt"));
    // The reply step still runs; it finds no reply.
    EXPECT_TRUE(hooks.called("takeInReply"));
}

TEST_F(StartupSequenceTest, MalformedSettingsNeverStopTheStart) {
    set("Cpn", "Cp1", stringToHex("1"));
    set("Cpn", "Cp2", "not hex");
    removeKey("Cpn", "Cp3");
    set("Cpn", "Cp4", stringToHex("no bar"));
    set("Etowah", "Last", stringToHex("3/6/2009"));
    set("Etowah", "Days", "soon");
    removeKey("Welcome", "Uses");
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    EXPECT_EQ(runtimeError(), nullptr);
    for (const CouponPane& pane : app.startup.couponPane) {
        EXPECT_EQ(pane.showFlag, "");
        EXPECT_EQ(pane.location, "");
    }
    EXPECT_TRUE(app.startup.reportDue);
    EXPECT_TRUE(hooks.called("training:min.xml"));
}

TEST_F(StartupSequenceTest, DamagedServerAddressAndProfileNameCountAsUnset) {
    auto encrypted = tryEncryptText("https://service.example/", "another passphrase");
    ASSERT_TRUE(encrypted.ok());
    set("Etowah", "s", *encrypted);
    set("Parallax", "visual", "41nn");
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    EXPECT_EQ(runtimeError(), nullptr);
    EXPECT_EQ(app.startup.serverBase, "");
    EXPECT_EQ(app.startup.defaultProfileName, "");
    EXPECT_TRUE(hooks.called("engine:crankUpEngine:"));
    EXPECT_TRUE(hooks.called("training:min.xml"));
}

TEST_F(StartupSequenceTest, CouponPanesDecideTheAdPanes) {
    set("Cpn", "Cp1", stringToHex("1|first"));
    set("Cpn", "Cp2", stringToHex("1|second"));
    set("Cpn", "Cp3", stringToHex("1|third"));
    set("Cpn", "Cp4", stringToHex("1|fourth"));
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    EXPECT_EQ(app.startup.couponPane[1].location, "second");
    EXPECT_TRUE(hooks.called("adPanes:1100"));
    EXPECT_EQ(hooks.adPanes[1].page, folders.data / "ad2.html");
}

TEST_F(StartupSequenceTest, FailingStepStopsWithTheReportAndItsMarker) {
    hooks.failures["merge"] = Status::failure(13, "Type mismatch");
    EXPECT_EQ(sequence.run(), StartupOutcome::Stopped);
    ASSERT_NE(runtimeError(), nullptr);
    EXPECT_EQ(runtimeError()->title, "kelvo Error");
    EXPECT_EQ(runtimeError()->message, "13: Type mismatch\nMutPma\nm45");
    EXPECT_EQ(sequence.stepMarker(), "m45");
    EXPECT_TRUE(hooks.called("merge"));
    EXPECT_FALSE(hooks.called("loadMain"));
    EXPECT_FALSE(hooks.called("engine:crankUpEngine:"));
    // The window's OK ends the program.
    ASSERT_TRUE(dialogs.runtimeErrorOk);
    dialogs.runtimeErrorOk();
    EXPECT_EQ(control.calls, std::vector<std::string>{"end"});
}

TEST_F(StartupSequenceTest, ErrorMarkersOfLaterSteps) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"prepareReport", "m11"}, {"postReport", "m15"}, {"takeInReply", "m18"},
        {"welcome", "m41"},       {"splash", "m43"},     {"loadMain", "m47"},
        {"loadAbout", "m49"},     {"adPanes", "m50"},    {"handedness", "m61"},
        {"createProfile", "m69"}, {"training", "m70"},
    };
    for (const auto& [step, marker] : cases) {
        fakes::TempDir root;
        AppState state;
        fakes::FakeSpecialFolders caseFolders{root.path()};
        caseFolders.program = KELVO_RESOURCES_DIR;
        fakes::FakeDialogPort caseDialogs;
        MessageBoxes caseBoxes{state.messageBoxes, caseDialogs, control};
        fakes::FakeStartupHooks caseHooks;
        caseHooks.failures[step] = Status::failure(5, "Invalid procedure call");
        if (step == "postReport") {
            // The report goes only to a stored address.
            fs::create_directories(caseFolders.data);
            fs::copy_file(fs::path(KELVO_RESOURCES_DIR) / "defaults" / "mouse.ini",
                          caseFolders.data / "mouse.ini");
            fakes::FakeErrorSink quietSink;
            SettingsFile(caseFolders.data / "mouse.ini", quietSink)
                .writeIni("Etowah", "s",
                          tryEncryptText("http://127.0.0.1:9/", kServerAddressPassphrase).value());
        }
        StartupSequence caseSequence{
            state, {lock, caseFolders, keys, clock, random}, caseBoxes, caseHooks};
        EXPECT_EQ(caseSequence.run(), StartupOutcome::Stopped) << step;
        ASSERT_FALSE(caseDialogs.shown.empty()) << step;
        EXPECT_EQ(caseDialogs.shown.back().message, "5: Invalid procedure call\nMutPma\n" + marker);
    }
}

TEST_F(StartupSequenceTest, MissingDataFolderStopsAtTheFirstMarker) {
    folders.data.clear();
    EXPECT_EQ(sequence.run(), StartupOutcome::Stopped);
    ASSERT_NE(runtimeError(), nullptr);
    EXPECT_EQ(runtimeError()->message, "76: no data folder\nMutPma\nm1");
    EXPECT_TRUE(hooks.calls.empty());
}

TEST_F(StartupSequenceTest, MissingInstalledDefaultsStopAtTheFirstMarker) {
    folders.program = dir / "empty-program";
    EXPECT_EQ(sequence.run(), StartupOutcome::Stopped);
    ASSERT_NE(runtimeError(), nullptr);
    EXPECT_TRUE(runtimeError()->message.ends_with("\nMutPma\nm1"));
}

TEST_F(StartupSequenceTest, MissingProgramFoldersWarnButGoOn) {
    keys.values.clear();
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown[0].kind, "modeless");
    EXPECT_EQ(dialogs.shown[0].title, "Startup Problem");
    EXPECT_EQ(dialogs.shown[0].message,
              "Kelvo was unable to initialize correctly.  Windows may be improperly installed.  "
              "Kelvo will not shut down.");
    EXPECT_TRUE(hooks.called("training:min.xml"));
}

TEST_F(StartupSequenceTest, FirstRunNeverShowsTheMainWindow) {
    set("Main", "DisplayOnStart", "True");
    app.speech.muted = true;
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    EXPECT_TRUE(hooks.called("createProfile"));
    EXPECT_FALSE(hooks.called("showMain"));
    EXPECT_FALSE(hooks.called("hideFirstTime"));
    // Muted listening keeps its grammar.
    EXPECT_FALSE(hooks.called("training:min.xml"));
}

TEST_F(StartupSequenceTest, LaterRunsShowWhatTheSettingsSay) {
    struct Case {
        std::string showMain;
        bool profileMissing;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {"True", false, "showMain"},
        {"True", true, "selectProfile"},
        {"False", true, ""},
        {"NotTrue", false, ""},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> calls = runOwnStart([&](OwnStart& start) {
            start.set("Ohio", "First", "10");
            start.set("Main", "DisplayOnStart", c.showMain);
            start.set("Parallax", "visual", stringToHex("Ann"));
            if (c.profileMissing) {
                start.engineMissesProfile("Ann");
            }
        });
        EXPECT_TRUE(contains(calls, "hideFirstTime"));
        EXPECT_FALSE(contains(calls, "createProfile"));
        EXPECT_EQ(contains(calls, "showMain"), c.shown == "showMain") << c.showMain;
        EXPECT_EQ(contains(calls, "selectProfile"), c.shown == "selectProfile") << c.showMain;
        EXPECT_EQ(calls.back(), "normal");
    }
}

TEST_F(StartupSequenceTest, AMainWindowDueIsPaintedBeforeTheEngineStarts) {
    struct Case {
        std::string first;
        std::string showMain;
        std::string profile;
        bool profileMissing;
        bool early;
        int mainShown;
    };
    const std::vector<Case> cases = {
        {"10", "True", "", false, true, 2},
        {"10", "False", "", false, false, 0},
        {"x", "True", "", false, false, 0},
        // A named profile is only known to exist once the engine looked.
        {"10", "True", "Ann", false, false, 1},
        {"10", "True", "Ann", true, false, 0},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> calls = runOwnStart([&](OwnStart& start) {
            start.set("Ohio", "First", c.first);
            start.set("Main", "DisplayOnStart", c.showMain);
            if (!c.profile.empty()) {
                start.set("Parallax", "visual", stringToHex(c.profile));
            }
            if (c.profileMissing) {
                start.engineMissesProfile(c.profile);
            }
        });
        const std::string where = c.first + " " + c.showMain + " " + c.profile;
        const auto engine =
            std::find(calls.begin(), calls.end(), "engine:crankUpEngine:" + c.profile);
        ASSERT_NE(engine, calls.end()) << where;
        const std::vector<std::string> early = {"handedness", "hideFirstTime", "showMain", "paint"};
        const bool shownEarly =
            engine - calls.begin() >= static_cast<std::ptrdiff_t>(early.size()) &&
            std::equal(early.begin(), early.end(), engine - 4);
        EXPECT_EQ(shownEarly, c.early) << where;
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "paint"), c.early ? 1 : 0) << where;
        // The last step still shows what the settings and the engine say.
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "showMain"), c.mainShown) << where;
        EXPECT_EQ(contains(calls, "selectProfile"), c.profileMissing) << where;
    }
}

TEST_F(StartupSequenceTest, AWindowThatCannotBeShownEarlyIsReportedByTheLastStep) {
    set("Ohio", "First", "10");
    set("Main", "DisplayOnStart", "True");
    hooks.failures["showMain"] = Status::failure(91, "The main window is not loaded.");
    EXPECT_EQ(sequence.run(), StartupOutcome::Stopped);
    ASSERT_NE(runtimeError(), nullptr);
    EXPECT_EQ(runtimeError()->message, "91: The main window is not loaded.\nMutPma\nm73");
    EXPECT_FALSE(hooks.called("paint"));
    EXPECT_TRUE(hooks.called("engine:startListening:"));
}

TEST_F(StartupSequenceTest, SettingsChooseSplashMusicAndProfile) {
    set("Splash", "DisplayOnStart", "False");
    set("Amite", "Date", "1/1/2009");
    set("Parallax", "visual", stringToHex("Ann"));
    ASSERT_EQ(sequence.run(), StartupOutcome::Running);
    EXPECT_FALSE(hooks.called("splash"));
    EXPECT_TRUE(hooks.called("music"));
    EXPECT_EQ(app.startup.defaultProfileName, "Ann");
    EXPECT_TRUE(hooks.called("engine:crankUpEngine:Ann"));
    EXPECT_TRUE(hooks.called("engine:startListening:Ann"));
}

TEST(StartsWithTrueTest, OnlyTheFirstFourCharactersCount) {
    EXPECT_TRUE(startsWithTrue("True"));
    EXPECT_TRUE(startsWithTrue(" Trueish"));
    EXPECT_FALSE(startsWithTrue("Fals"));
    EXPECT_FALSE(startsWithTrue("true"));
    EXPECT_FALSE(startsWithTrue("NotSet"));
    EXPECT_FALSE(startsWithTrue(""));
}

} // namespace
} // namespace kelvo
