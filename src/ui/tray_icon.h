#pragma once

#include "ui/desktop_notifications.h"
#include "windows/tray_icon_port.h"

#include <QObject>

#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace kelvo {

/// The notification-area icon on the desktop's tray. A right click opens
/// the three-item menu; left clicks do nothing. Without a tray the icon's
/// calls return quietly and balloons go to the desktop's notification
/// service.
class TrayIcon final : public QObject, public TrayIconPort {
    Q_OBJECT
public:
    /// menuActions: mute, show and close, in that order.
    explicit TrayIcon(const QList<QAction*>& menuActions, QObject* parent = nullptr);
    ~TrayIcon() override;

    bool addIcon(const std::string& tip) override;
    void showBalloon(const std::string& title, const std::string& text) override;
    void setAsleep(bool asleep) override;
    void removeIcon() override;
    bool isShown() const override;

    /// Changes the tip text.
    void setTip(const std::string& tip);
    /// The last balloon asked for (shown or not), for tests.
    const std::pair<std::string, std::string>& lastBalloon() const { return m_lastBalloon; }
    QMenu* menu() const { return m_menu.get(); }

private:
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon* m_icon = nullptr;
    DesktopNotifications m_notifications;
    std::pair<std::string, std::string> m_lastBalloon;
};

} // namespace kelvo
