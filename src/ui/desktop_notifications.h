#pragma once

#include <QObject>

#include <deque>
#include <optional>
#include <string>

namespace kelvo {

/// Balloons for a desktop without a notification area: each one goes to the
/// desktop's notification service (org.freedesktop.Notifications on the
/// session bus) with the same title and text. A new one replaces the last,
/// as a balloon on the tray icon does. Calls never block or fail: without a
/// service the balloon is dropped, and the log says so once.
///
/// The service names a notification only in its reply, so a balloon waits
/// for the reply to the one before it: sent at once, a second balloon would
/// not know what to replace and would show beside the first.
class DesktopNotifications final : public QObject {
    Q_OBJECT

public:
    explicit DesktopNotifications(QObject* parent = nullptr);

    void show(const std::string& title, const std::string& text);

private:
    struct Balloon {
        std::string title;
        std::string text;
    };

    void sendNext();
    void send(const Balloon& balloon, bool markup);

    // The service interprets the text as markup when it says it does; the
    // answer is asked for once.
    std::optional<bool> m_markup;
    unsigned int m_lastId = 0;
    bool m_failureLogged = false;
    // A call is out and its reply not yet in; the balloons after it wait.
    bool m_calling = false;
    std::deque<Balloon> m_waiting;
};

/// The text with &, < and > written as markup entities.
std::string escapeNotificationMarkup(const std::string& text);

} // namespace kelvo
