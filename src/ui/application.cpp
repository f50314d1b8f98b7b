#include "ui/application.h"

#include "services/message_boxes.h"
#include "speech/catalogue_files.h"
#include "speech/command_lists.h"
#include "speech/custom_command_store.h"
#include "startup/app_state.h"
#include "startup/platform_services.h"
#include "startup/startup_hooks.h"
#include "startup/startup_sequence.h"
#include "ui/main_window_parts.h"
#include "ui/qt_app_control.h"
#include "ui/qt_dialog_port.h"
#include "ui/window_startup_hooks.h"

#include <QApplication>
#include <QTimer>

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

    NoStartupHooks laterSteps;
    StartupSequence* startupSequence = nullptr;
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
            auto window = std::make_unique<MainWindowParts>(
                MainWindowServices{state.mainWindow, state.startup.mouseHandedness,
                                   state.messageBoxes, *startupSequence->settings(), messageBoxes,
                                   control},
                mainWindowPaths(folders.dataFolder, folders.programFolder, folders.startupFolder),
                std::move(listLoaders));
            commandLists = std::make_unique<CommandLists>(state.catalogue, window->commandLists(),
                                                          messageBoxes, catalogueFiles);
            reportFirstPaint(window->window());
            return window;
        },
        laterSteps, [] { return std::string(); });
    StartupSequence startup(state, platform.forStartup(), messageBoxes, hooks);
    startupSequence = &startup;

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
