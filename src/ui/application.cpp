#include "ui/application.h"

#include "services/message_boxes.h"
#include "startup/app_state.h"
#include "ui/qt_app_control.h"
#include "ui/qt_dialog_port.h"

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
    AppState state;
    QtDialogPort dialogs;
    QtAppControl control(startDetachedProgram);
    MessageBoxes messageBoxes(state.messageBoxes, dialogs, control);

    QTimer::singleShot(0, &app, [&] {
        // The start-up sequence runs here, inside the event loop, so its
        // modal windows and pumped events behave as they do later.
        (void)messageBoxes;
    });
    return QApplication::exec();
}

} // namespace kelvo
