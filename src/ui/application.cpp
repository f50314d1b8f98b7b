#include "ui/application.h"

#include <QApplication>

namespace kelvo {

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("kelvo");
    QApplication::setQuitOnLastWindowClosed(false);
    return 0;
}

} // namespace kelvo
