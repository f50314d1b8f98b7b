#include "ui/application.h"

#include "program/platform_services.h"
#include "program/program_dispatch_host.h"
#include "program/speech_startup_hooks.h"
#include "services/address_opener.h"
#include "services/browser_window_check.h"
#include "services/message_boxes.h"
#include "services/window_registry.h"
#include "speech/catalogue_files.h"
#include "speech/command_lists.h"
#include "speech/custom_command_store.h"
#include "speech/phrase_interpreters.h"
#include "startup/app_state.h"
#include "startup/close_down.h"
#include "startup/program_hooks.h"
#include "startup/startup_hooks.h"
#include "startup/startup_sequence.h"
#include "ui/main_window_parts.h"
#include "ui/program_speech.h"
#include "ui/qt_app_control.h"
#include "ui/qt_dialog_port.h"
#include "ui/qt_window_registry.h"
#include "ui/termination_watcher.h"
#include "ui/window_startup_hooks.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace kelvo {

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("kelvo");
    // The program lives in the notification area; closing a window never
    // ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    // The one place where the program's pieces are made and wired.
    PlatformServices platform = PlatformServices::create();
    AppState state;
    QtDialogPort dialogs;
    QtAppControl control(
        [&platform](const std::string& program, const std::vector<std::string>& arguments) {
            return shellSucceeded(platform.shell->startProgram(program, arguments));
        });
    MessageBoxes messageBoxes(state.messageBoxes, dialogs, control);
    control.setBackupCustomStore([&state, &messageBoxes] {
        // Before the start-up fixed the folders there is nothing to back up.
        if (state.startup.dataFolder.empty() || state.startup.myDocumentsFolder.empty()) {
            return;
        }
        backupCustomCommands(
            CatalogueFiles{state.startup.dataFolder, state.startup.myDocumentsFolder},
            messageBoxes);
    });

    StartupSequence* startupSequence = nullptr;
    WindowStartupHooks* windowSteps = nullptr;
    auto window = [&windowSteps]() -> MainWindowParts* {
        return windowSteps ? windowSteps->window() : nullptr;
    };
    // The registry outlives the main window, which its parts own.
    QtWindowRegistry windows;
    windows.registerWindow(kMainWindowName, [window]() -> QWidget* {
        return window() ? &window()->window() : nullptr;
    });
    AddressOpener opener(*platform.shell, *platform.keys,
                         makeLinuxBrowserWindowCheck([window](const std::string& text) {
                             if (window()) {
                                 window()->feedback().setFeedbackText(text);
                             }
                         }));
    ProgramDispatchHost dispatchHost(
        opener, *platform.shell,
        DispatchWindowHooks{[window](const std::string& tag) {
                                if (window()) {
                                    window()->logic().clickTab(tag);
                                }
                            },
                            [window] {
                                return window() ? window()->window().windowTitle().toStdString()
                                                : std::string();
                            },
                            {}},
        {});
    NoInterpreters interpreters;
    std::unique_ptr<ProgramSpeech> speech;
    ProgramHooks programSteps(state, messageBoxes);
    // The engine starts after the main window loaded: its feedback shows
    // there, and its events go down the recognition road.
    SpeechStartupHooks laterSteps(
        [&]() -> SpeechSystem* {
            // Once the program is ending, no engine starts any more.
            if (!speech && window() && startupSequence->settings() && !control.ending()) {
                speech = std::make_unique<ProgramSpeech>(ProgramSpeechParts{
                    RecognitionRoadParts{state,
                                         dispatchHost,
                                         messageBoxes,
                                         control,
                                         windows,
                                         window()->feedback(),
                                         *startupSequence->settings(),
                                         interpreters,
                                         {}},
                    dispatchHost, state.startup.dataFolder, state.startup.programFolder});
            }
            return speech ? &speech->system() : nullptr;
        },
        programSteps);
    CatalogueFiles catalogueFiles;
    std::unique_ptr<CommandLists> commandLists;
    // The main window is made when the start-up loads it: by then the
    // folders and the settings file are known.
    WindowStartupHooks hooks(
        [&] {
            const StartupState& folders = state.startup;
            catalogueFiles = {folders.dataFolder, folders.myDocumentsFolder,
                              state.speech.grammarFile};
            MainWindowHooks listLoaders;
            listLoaders.loadAllCommandLists = [&] {
                commandLists->loadAllCommandLists();
                return Status{};
            };
            listLoaders.loadCustomCommandList = [&] {
                commandLists->loadCustomCommandList(catalogueFiles.customStore());
                return Status{};
            };
            listLoaders.toggleListening = [&] {
                if (!speech) {
                    return;
                }
                if (Status toggled = speech->toggleListening(); !toggled) {
                    messageBoxes.reportError(toggled.number(), toggled.message(), "mnuMuteKelvo");
                }
            };
            auto window = std::make_unique<MainWindowParts>(
                MainWindowServices{state.mainWindow, state.dispatch, state.messageBoxes,
                                   *startupSequence->settings(), messageBoxes, control},
                mainWindowPaths(folders.dataFolder, folders.programFolder, folders.startupFolder),
                std::move(listLoaders));
            commandLists = std::make_unique<CommandLists>(state.catalogue, window->commandLists(),
                                                          messageBoxes, catalogueFiles);
            reportFirstPaint(window->window());
            return window;
        },
        laterSteps, [] { return std::string(); });
    windowSteps = &hooks;
    StartupSequence startup(state, platform.forStartup(), messageBoxes, hooks);
    startupSequence = &startup;

    // Every road out (button, tray, window close, a spoken quit) ends here
    // once: the engine stops hearing before the files are saved.
    CloseDown closeDown(state, control, messageBoxes, *platform.clock,
                        CloseDownReleases{[&speech] {
                                              if (speech) {
                                                  (void)speech->system().engine().controlEngine(
                                                      engine_action::kShutdown, "");
                                              }
                                          },
                                          [window] {
                                              if (window()) {
                                                  window()->tray().removeIcon();
                                              }
                                          }});
    control.setCloseDown([&closeDown] { closeDown.run(); });
    // Being killed by the session or by Ctrl+C takes the same road out, also
    // while the start-up waits in a modal window: its loops end, and its
    // remaining steps run without starting the engine.
    std::unique_ptr<TerminationWatcher> terminationWatcher;
    if (auto termination = TerminationSignals::create()) {
        terminationWatcher = std::make_unique<TerminationWatcher>(
            std::move(termination).value(), [&control] { control.quitProgram(); });
    } else {
        std::fprintf(stderr, "kelvo: %s\n", termination.error().message().c_str());
    }

    // The start-up runs inside the event loop, so its modal windows and
    // pumped events behave as they do later on.
    QTimer::singleShot(0, &app, [&startup, &hooks] {
        if (startup.run() == StartupOutcome::AnotherInstanceRuns) {
            QCoreApplication::exit(0);
            return;
        }
        // Stopped: the runtime-error window is open and its OK ends us.
        // Without a tray the window is the only way to reach the program.
        if (MainWindowParts* window = hooks.window()) {
            window->showIfNoTray();
        }
    });
    return QApplication::exec();
}

} // namespace kelvo
