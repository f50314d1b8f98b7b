#include "ui/window_feedback.h"

#include "ui/main_window.h"
#include "ui/tray_icon.h"
#include "windows/main_window_logic.h"

#include <QMenu>

namespace kelvo {

WindowFeedback::WindowFeedback(MainWindow& window, TrayIcon& tray, MainWindowLogic& logic)
    : m_window(window), m_tray(tray), m_logic(logic) {}

void WindowFeedback::setFeedbackText(const std::string& text) {
    m_window.setFeedbackText(text);
}

void WindowFeedback::setLocationText(const std::string& text) {
    m_window.setLocationText(text);
}

void WindowFeedback::showBalloon(const std::string& title, const std::string& text) {
    m_logic.showBalloon(title, text);
}

void WindowFeedback::setTrayIcon(TrayIconKind icon, const std::string& tip) {
    m_tray.setAsleep(icon == TrayIconKind::Asleep);
    m_tray.setTip(tip);
}

void WindowFeedback::setListeningIndicator(int image) {
    m_window.setListeningImage(image);
}

void WindowFeedback::setBusyPointer(bool busy) {
    m_busy.set(busy);
}

void WindowFeedback::welcome() {
    m_logic.welcome();
}

void WindowFeedback::setTrainingMenuEnabled(bool enabled) {
    if (auto* menu = m_window.findChild<QMenu*>("mnuTraining")) {
        menu->menuAction()->setEnabled(enabled);
    }
}

} // namespace kelvo
