// A phrase spoken into the real engine, from a WAV file as a microphone
// would deliver it, goes through the recognition road and shows on the
// main window.
#include "fakes/dispatch_rig.h"
#include "fakes/fake_pointer_buttons.h"
#include "fakes/fake_tone_output.h"
#include "fakes/run_tool.h"
#include "platform/speech/sphinx_speech_platform.h"
#include "speech/command_catalogue.h"
#include "speech/speech_system.h"
#include "test_paths.h"
#include "ui/main_window.h"
#include "ui/qt_ui_poster.h"
#include "ui/tray_icon.h"
#include "ui/window_feedback.h"
#include "windows/main_window_logic.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <gtest/gtest.h>

extern char** environ;

namespace kelvo {
namespace {

/// Lets window and speech events run, as the program's event loop does.
class QtPump : public fakes::FakeAppControl {
public:
    void pumpEvents() override { QCoreApplication::processEvents(); }
};

TEST(SpokenCommand, CataloguePhraseFromAWavFileIsHeardAndShown) {
    fakes::TempDir dir;
    const std::filesystem::path defaults = std::filesystem::path(KELVO_RESOURCES_DIR) / "defaults";
    for (const char* file : {"en_CLICK.XML", "en_CLICK_mute.XML", "min.xml", "commands.xml"})
        std::filesystem::copy_file(defaults / file, dir / file);
    const std::string phrase = "go wikipedia";
    if (!fakes::runTool({"espeak-ng", "-v", "en-us", "-w", (dir / "phrase.wav").string(), phrase}))
        GTEST_SKIP() << "espeak-ng is not available";
    ASSERT_TRUE(writeFileAtomically(dir / "speech.ini", "[AudioInput]\nSource=file:" +
                                                            (dir / "phrase.wav").string() + "\n")
                    .ok());

    // The main window and its feedback.
    fakes::FakeErrorSink errors;
    fakes::FakeDialogPort dialogs;
    QtPump app;
    fakes::FakePointerButtons pointer;
    MainWindowState windowState;
    MessageBoxState boxState;
    SettingsFile settings{dir / "mouse.ini", errors};
    MessageBoxes boxes{boxState, dialogs, app};
    MainWindowHooks windowHooks;
    MainWindow window;
    TrayIcon tray(window.trayMenuActions());
    MainWindowPaths paths{
        dir.path(), dir / "program", dir / "autostart", "/usr/bin/kelvo", {dir / "applications"}};
    DispatchState dispatchState;
    MainWindowLogic logic(windowState, dispatchState, boxState, window, tray, settings, boxes, app,
                          pointer, paths, windowHooks);
    window.setLogic(&logic);
    WindowFeedback feedback(window, tray, logic);

    // The recognition road with the catalogue of the installed defaults.
    SpeechState speech;
    CatalogueState catalogue;
    const auto catalogueText = readWholeFile(dir / "commands.xml");
    ASSERT_TRUE(catalogueText.ok());
    auto parsed = parseCommandCatalogue(*catalogueText);
    ASSERT_TRUE(parsed.ok());
    catalogue.commandTable = parsed->rows;
    fakes::FakeWindowRegistry windows;
    fakes::FakeDispatchHost host;
    fakes::FakeDesktop desktop;
    DesktopPrograms programs{settings, ""};
    DesktopActions actions{desktop, dispatchState.mouseHandedness, boxes, host, programs};
    fakes::RecordingInterpreters interpreters;
    RecognitionDispatcher dispatcher{DispatchContext{dispatchState, speech, catalogue, boxState,
                                                     boxes, app, windows, feedback, settings, host,
                                                     actions, interpreters}};
    RecognitionEvents events{dispatcher, dispatchState, host, [](const speech::RequestUiEvent&) {}};

    // The real engine, listening to the file.
    QObject uiThread;
    QtUiPoster poster(&uiThread);
    auto options = speech::sphinxPlatformOptions(dir.path(), KELVO_RESOURCES_DIR);
    options.settingsFile = dir / "speech.ini";
    options.profileFolder = dir / "profiles";
    auto platform = speech::makeSphinxSpeechPlatform(poster, options);
    fakes::FakeToneOutput tone;
    SpeechSystem system({*platform, speech, dir.path(), boxes, app, feedback, tone}, events);
    host.grammarObject = nullptr;
    ASSERT_TRUE(system.engine().controlEngine("crankUpEngine", "").ok());
    ASSERT_TRUE(system.engine().controlEngine("getaudioinput", "").ok());
    ASSERT_TRUE(system.engine().controlEngine("startListening", "").ok());
    host.grammarObject = system.grammar();

    // The line reads "I Heard: " alone until a phrase is heard.
    const QString before = window.feedbackLabel()->text();
    QElapsedTimer waited;
    waited.start();
    while (window.feedbackLabel()->text() == before && waited.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    EXPECT_EQ(window.feedbackLabel()->text().toStdString(), "I Heard: " + phrase);
    EXPECT_EQ(host.opened, std::vector<std::string>{"https://www.wikipedia.org"});
    EXPECT_TRUE(dialogs.shown.empty());
    (void)system.engine().controlEngine("shutdown", "");
}

} // namespace
} // namespace kelvo
