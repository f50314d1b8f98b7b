#include "ui/program_speech.h"

#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/fake_feedback_port.h"
#include "fakes/fake_key_store.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_window_registry.h"
#include "fakes/run_tool.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "services/address_opener.h"
#include "speech/command_catalogue.h"
#include "test_paths.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <cstdlib>

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
    void shutdownComputer() override {}
};

TEST(ProgramSpeech, TheAssembledProgramHearsTheAudioInputOfItsSettings) {
    fakes::TempDir dir;
    const std::filesystem::path defaults = std::filesystem::path(KELVO_RESOURCES_DIR) / "defaults";
    for (const char* file : {"en_CLICK.XML", "en_CLICK_mute.XML", "min.xml", "commands.xml"})
        std::filesystem::copy_file(defaults / file, dir / file);
    if (!fakes::runTool(
            {"espeak-ng", "-v", "en-us", "-w", (dir / "phrase.wav").string(), "go youtube"}))
        GTEST_SKIP() << "espeak-ng is not available";
    ASSERT_TRUE(
        writeFileAtomically(dir / "config" / "kelvo" / "speech.ini",
                            "[AudioInput]\nSource=file:" + (dir / "phrase.wav").string() + "\n")
            .ok());
    ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);

    AppState state;
    auto parsed = parseCommandCatalogue(*readWholeFile(dir / "commands.xml"));
    ASSERT_TRUE(parsed.ok());
    state.catalogue.commandTable = parsed->rows;
    fakes::FakeDialogPort dialogs;
    QtPump app;
    MessageBoxes boxes(state.messageBoxes, dialogs, app);
    fakes::FakeErrorSink errors;
    SettingsFile settings(dir / "mouse.ini", errors);
    fakes::FakeWindowRegistry windows;
    fakes::FakeFeedbackPort feedback;
    NoInterpreters interpreters;
    fakes::FakeShell shell;
    fakes::FakeKeyStore keys;
    AddressOpener opener(shell, keys, makeLinuxBrowserWindowCheck([](const std::string&) {}));
    ProgramDispatchHost host(opener, shell, {}, dir.path());

    ProgramSpeech speech({{state, host, boxes, app, windows, feedback, settings, interpreters, {}},
                          host,
                          dir.path(),
                          KELVO_RESOURCES_DIR});
    for (const char* action : {"crankUpEngine", "getaudioinput", "startListening"})
        ASSERT_TRUE(speech.system().engine().controlEngine(action, "").ok()) << action;

    QElapsedTimer waited;
    waited.start();
    while (feedback.feedbackText.empty() && waited.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    EXPECT_EQ(feedback.feedbackText, "I Heard: go youtube");
    ASSERT_FALSE(shell.calls.empty());
    EXPECT_EQ(shell.calls[0].target, "https://www.youtube.com");
    EXPECT_EQ(state.speech.commandCounter, 1);
    EXPECT_TRUE(dialogs.shown.empty());
    (void)speech.system().engine().controlEngine("shutdown", "");
}

} // namespace
} // namespace kelvo
