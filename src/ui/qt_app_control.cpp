#include "ui/qt_app_control.h"

#include <QCoreApplication>
#include <QTimer>

#include <utility>

namespace kelvo {

QtAppControl::QtAppControl(StartProgram startProgram) : m_startProgram(std::move(startProgram)) {}

void QtAppControl::setBackupCustomStore(std::function<void()> backup) {
    m_backup = std::move(backup);
}

void QtAppControl::setCloseDown(std::function<void()> closeDown) {
    m_closeDown = std::move(closeDown);
}

void QtAppControl::setQuestionnaireCheck(std::function<bool()> check) {
    m_questionnaireCheck = std::move(check);
}

void QtAppControl::pumpEvents() {
    QCoreApplication::processEvents();
}

void QtAppControl::backupCustomStore() {
    if (m_backup) {
        m_backup();
    }
}

bool QtAppControl::questionnaireTakesOverQuit() {
    return m_questionnaireCheck && m_questionnaireCheck();
}

void QtAppControl::quitProgram() {
    // The close-down may pump events or show boxes that ask to quit again.
    if (m_closingDown) {
        return;
    }
    m_closingDown = true;
    if (m_closeDown) {
        m_closeDown();
    } else {
        backupCustomStore();
    }
    m_ending = true;
    QCoreApplication::exit(0);
}

void QtAppControl::endProgramNow() {
    m_ending = true;
    QCoreApplication::exit(0);
}

void QtAppControl::shutdownComputer(int delaySeconds, const std::string& comment) {
    // The desktop's power-off takes no delay in seconds, so the program
    // waits; the user can still save work meanwhile.
    QTimer::singleShot(delaySeconds * 1000, [this, comment] {
        if (m_startProgram("systemctl", {"poweroff", "--message=" + comment})) {
            return;
        }
        m_startProgram("shutdown", {"-h", "now", comment});
    });
}

} // namespace kelvo
