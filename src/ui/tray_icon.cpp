#include "ui/tray_icon.h"

#include "ui/kelvo_icons.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace kelvo {

TrayIcon::TrayIcon(const QList<QAction*>& menuActions, QObject* parent)
    : QObject(parent), m_menu(std::make_unique<QMenu>()) {
    m_menu->setObjectName("mnuSysTray");
    for (QAction* action : menuActions) {
        if (action) {
            m_menu->addAction(action);
        }
    }
    m_icon = new QSystemTrayIcon(trayIcon(false), this);
    m_icon->setContextMenu(m_menu.get());
}

TrayIcon::~TrayIcon() {
    m_icon->hide();
}

bool TrayIcon::addIcon(const std::string& tip) {
    m_icon->setToolTip(QString::fromStdString(tip));
    // Shown even without a tray: a program started at login may come up
    // before the panel, and Qt adds a shown icon once a tray appears.
    m_icon->show();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::showBalloon(const std::string& title, const std::string& text) {
    m_lastBalloon = {title, text};
    // A desktop without a notification area (or one whose area shows no
    // balloons) still has its notification service.
    if (!isShown() || !QSystemTrayIcon::supportsMessages()) {
        m_notifications.show(title, text);
        return;
    }
    m_icon->showMessage(QString::fromStdString(title), QString::fromStdString(text),
                        QSystemTrayIcon::Information);
}

void TrayIcon::setAsleep(bool asleep) {
    m_icon->setIcon(trayIcon(asleep));
}

void TrayIcon::setTip(const std::string& tip) {
    m_icon->setToolTip(QString::fromStdString(tip));
}

void TrayIcon::removeIcon() {
    m_icon->hide();
}

bool TrayIcon::isShown() const {
    return m_icon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

} // namespace kelvo
