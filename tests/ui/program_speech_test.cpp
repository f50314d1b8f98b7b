#include "ui/program_speech.h"

#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_feedback_port.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_training_screens.h"
#include "fakes/fake_window_registry.h"
#include "fakes/private_sound_server.h"
#include "fakes/run_tool.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "platform/speech/sphinx_wav.h"
#include "program/program_interpreters.h"
#include "services/address_opener.h"
#include "speech/command_catalogue.h"
#include "test_paths.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

extern char** environ;

namespace kelvo {
namespace {

class QtPump : public AppControl {
public:
    void pumpEvents() override { QCoreApplication::processEvents(); }
    void backupCustomStore() override {}
    bool questionnaireTakesOverQuit() override { return false; }
    void quitProgram() override {}
    void endProgramNow() override {}
    void shutdownComputer(int, const std::string&) override {}
};

/// The program's speech side, as the program assembles it, listening to a
/// WAV file of the words through the speech settings.
struct ProgramRig {
    explicit ProgramRig(const std::string& words) {
        const std::filesystem::path defaults =
            std::filesystem::path(KELVO_RESOURCES_DIR) / "defaults";
        for (const char* file : {"en_CLICK.XML", "en_CLICK_mute.XML", "min.xml", "commands.xml"})
            std::filesystem::copy_file(defaults / file, dir / file);
        // No words: a second of silence.
        spoken =
            words.empty()
                ? speech::writeSpeechWav(dir / "phrase.wav", std::vector<std::int16_t>(16000)).ok()
                : fakes::runTool(
                      {"espeak-ng", "-v", "en-us", "-w", (dir / "phrase.wav").string(), words});
        EXPECT_TRUE(
            writeFileAtomically(dir / "config" / "kelvo" / "speech.ini",
                                "[AudioInput]\nSource=file:" + (dir / "phrase.wav").string() + "\n")
                .ok());
        ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        auto parsed = parseCommandCatalogue(*readWholeFile(dir / "commands.xml"));
        EXPECT_TRUE(parsed.ok());
        state.catalogue.commandTable = parsed->rows;
        speech = std::make_unique<ProgramSpeech>(ProgramSpeechParts{
            {state, host, boxes, app, windows, feedback, settings, interpreters, {}},
            host,
            dir.path(),
            KELVO_RESOURCES_DIR,
            screens});
    }
    ~ProgramRig() { (void)speech->system().engine().controlEngine("shutdown", ""); }

    Status start() {
        for (const char* action : {"crankUpEngine", "getaudioinput", "startListening"}) {
            if (Status done = speech->system().engine().controlEngine(action, ""); !done)
                return done;
        }
        return {};
    }

    fakes::TempDir dir;
    bool spoken = false;
    AppState state;
    fakes::FakeDialogPort dialogs;
    QtPump app;
    MessageBoxes boxes{state.messageBoxes, dialogs, app};
    fakes::FakeErrorSink errors;
    SettingsFile settings{dir / "mouse.ini", errors};
    fakes::FakeWindowRegistry windows;
    fakes::FakeFeedbackPort feedback;
    ProgramInterpreters interpreters;
    fakes::FakeShell shell;
    AddressOpener opener{shell, BrowserWindowCheck{}};
    ProgramDispatchHost host{opener, shell, {}, dir.path()};
    fakes::FakeTrainingScreens screens;
    std::unique_ptr<ProgramSpeech> speech;
};

TEST(ProgramSpeech, TheAssembledProgramHearsTheAudioInputOfItsSettings) {
    ProgramRig rig("go youtube");
    if (!rig.spoken)
        GTEST_SKIP() << "espeak-ng is not available";
    ASSERT_TRUE(rig.start().ok());

    QElapsedTimer waited;
    waited.start();
    while (rig.feedback.feedbackText.empty() && waited.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    EXPECT_EQ(rig.feedback.feedbackText, "I Heard: go youtube");
    ASSERT_FALSE(rig.shell.calls.empty());
    EXPECT_EQ(rig.shell.calls[0].target, "https://www.youtube.com");
    EXPECT_EQ(rig.state.speech.commandCounter, 1);
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST(ProgramSpeech, AfterANewProfileTheEngineHearsAgain) {
    ProgramRig rig("go youtube");
    if (!rig.spoken)
        GTEST_SKIP() << "espeak-ng is not available";
    ASSERT_TRUE(rig.start().ok());
    auto heard = [&rig](std::size_t count) {
        QElapsedTimer waited;
        waited.start();
        while (rig.shell.calls.size() < count && waited.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return rig.shell.calls.size() >= count;
    };
    ASSERT_TRUE(heard(1));
    // The restart opens the input again: the file is spoken once more.
    std::string name = "Ann";
    ASSERT_TRUE(rig.speech->profiles().profileTraining("CreateProfile", name, {}).ok());
    EXPECT_EQ(rig.speech->profiles().getProfile("currentprofile"), "Ann - e0");
    ASSERT_TRUE(heard(2));
    EXPECT_EQ(rig.shell.calls.back().target, "https://www.youtube.com");
}

TEST(ProgramSpeech, CommandsBackFromOutsideTheRoadDropEveryWaitingDictation) {
    ProgramRig rig("");
    ASSERT_TRUE(rig.start().ok());
    int stepsForgotten = 0;
    rig.interpreters.forgetSteps = [&stepsForgotten] { ++stepsForgotten; };
    SpeechSystem& system = rig.speech->system();
    const std::vector<std::pair<std::string, std::function<Status()>>> roads = {
        {"tray sleep", [&] { return rig.speech->toggleListening(); }},
        {"tray wake", [&] { return rig.speech->toggleListening(); }},
        {"custom-command save",
         [&] {
             rig.host.muteUnmute(kModeWake);
             return Status{};
         }},
        {"training", [&] { return system.grammars().LoadDifferentGrammar(kTrainingGrammarFile); }},
        {"profile change",
         [&] {
             (void)system.engine().controlEngine("shutdown", "");
             return rig.start();
         }},
    };
    for (const auto& [road, run] : roads) {
        rig.state.dispatch.pendingSearch.u = "https://example.org/?q=SEARCHTERMS";
        rig.state.dispatch.pendingSearch.styp = "1";
        rig.state.dispatch.dictationMode = "zip";
        const int before = stepsForgotten;
        ASSERT_TRUE(run().ok()) << road;
        EXPECT_FALSE(rig.state.dispatch.pendingSearch.pending()) << road;
        EXPECT_TRUE(rig.state.dispatch.dictationMode.empty()) << road;
        // The music and bookmark second steps too.
        EXPECT_GT(stepsForgotten, before) << road;
    }
    EXPECT_FALSE(rig.state.speech.asleep);
}

// The sound server ends while kelvo listens, and later comes back.
TEST(ProgramSpeech, AMicrophoneLostWhileListeningIsShownAndHeardAgainOnceItIsBack) {
    ProgramRig rig("go youtube");
    if (!rig.spoken)
        GTEST_SKIP() << "espeak-ng is not available";
    auto server = std::make_unique<fakes::PrivateSoundServer>();
    ASSERT_TRUE(server->running()) << "pulseaudio did not start";
    ::setenv("PULSE_SERVER", server->address().c_str(), 1);
    ASSERT_TRUE(writeFileAtomically(rig.dir / "config" / "kelvo" / "speech.ini",
                                    "[AudioInput]\nSource=pulse:recorder.monitor\n")
                    .ok());
    ASSERT_TRUE(rig.start().ok());
    const auto within = [](int ms, const std::function<bool()>& done) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return done();
    };

    server.reset();
    EXPECT_TRUE(within(5000, [&rig] { return !rig.state.speech.hearing; }));
    EXPECT_EQ(rig.feedback.indicator, kIndicatorAsleep);
    EXPECT_EQ(rig.feedback.trayIcon, TrayIconKind::Asleep);

    server = std::make_unique<fakes::PrivateSoundServer>();
    ASSERT_TRUE(server->running()) << "pulseaudio did not start again";
    ::setenv("PULSE_SERVER", server->address().c_str(), 1);
    EXPECT_TRUE(within(10000, [&rig] { return rig.state.speech.hearing; }));
    EXPECT_EQ(rig.feedback.trayIcon, TrayIconKind::Listening);
    ASSERT_TRUE(fakes::runTool({"paplay", "--device=recorder", (rig.dir / "phrase.wav").string()}));
    EXPECT_TRUE(within(30000, [&rig] { return !rig.shell.calls.empty(); }));
    EXPECT_EQ(rig.feedback.feedbackText, "I Heard: go youtube");
    EXPECT_TRUE(rig.dialogs.shown.empty());
    (void)rig.speech->system().engine().controlEngine("shutdown", ""); // before the server goes
    ::unsetenv("PULSE_SERVER");
}

TEST(ProgramSpeech, WithoutAWorkingInputNothingClaimsListeningAndMutingSaysWhy) {
    ProgramRig rig("");
    ASSERT_TRUE(writeFileAtomically(
                    rig.dir / "config" / "kelvo" / "speech.ini",
                    "[AudioInput]\nSource=file:" + (rig.dir / "no-such-sound.wav").string() + "\n")
                    .ok());
    EXPECT_FALSE(rig.start().ok());
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].title, "Error");
    EXPECT_FALSE(rig.state.speech.hearing);
    EXPECT_EQ(rig.feedback.indicator, kIndicatorAsleep);
    EXPECT_EQ(rig.feedback.trayIcon, TrayIconKind::Asleep);
    EXPECT_EQ(rig.feedback.trayTip, "Kelvo Is NOT Listening");
    // The tray's mute item and the indicator: a notice, no runtime error
    // whose OK would end the program.
    EXPECT_TRUE(rig.speech->toggleListening().ok());
    ASSERT_EQ(rig.dialogs.shown.size(), 2u);
    EXPECT_EQ(rig.dialogs.shown[1].kind, "notice");
    EXPECT_EQ(rig.dialogs.shown[1].title,
              "kelvo is not listening, so it cannot be muted or activated.");
    EXPECT_FALSE(rig.state.speech.asleep);
    for (const std::string& call : rig.feedback.calls)
        EXPECT_TRUE(call != "welcome" && call.rfind("balloon", 0) != 0) << call;
}

} // namespace
} // namespace kelvo
