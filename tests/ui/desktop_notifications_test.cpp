#include "ui/tray_icon.h"

#include "fakes/tool_output.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QSystemTrayIcon>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <sstream>

namespace kelvo {
namespace {

/// The desktop's notification service as a daemon offers it on the bus,
/// recording what it is sent.
class NotificationService final : public QDBusVirtualObject {
public:
    struct Notification {
        unsigned int replaces = 0;
        std::string title, text;
    };

    QString introspect(const QString&) const override { return {}; }

    // Called on the bus connection's thread.
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.member() == "GetCapabilities") {
            return connection.send(
                message.createReply(QStringList{"body", "body-markup", "persistence"}));
        }
        if (message.member() == "Notify" && message.arguments().size() == 8) {
            const QList<QVariant> args = message.arguments();
            std::lock_guard lock(m_mutex);
            m_received.push_back({args[1].toUInt(), args[3].toString().toStdString(),
                                  args[4].toString().toStdString()});
            return connection.send(
                message.createReply(static_cast<unsigned int>(100 + m_received.size())));
        }
        return false;
    }

    std::vector<Notification> received() const {
        std::lock_guard lock(m_mutex);
        return m_received;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<Notification> m_received;
};

// Runs the event loop until the service has received count notifications,
// at most five seconds.
bool receives(const NotificationService& service, std::size_t count) {
    return QTest::qWaitFor([&] { return service.received().size() >= count; }, 5000);
}

TEST(DesktopNotifications, WithoutANotificationAreaBalloonsGoToTheNotificationService) {
    std::istringstream bus(fakes::toolOutput(
        {"dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"}));
    std::string address;
    pid_t busPid = 0;
    ASSERT_TRUE(std::getline(bus, address) && bus >> busPid) << "no dbus-daemon";
    const std::unique_ptr<void, std::function<void(void*)>> stopBus(
        &busPid, [busPid](void*) { kill(busPid, SIGTERM); });
    setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
    {
        QDBusConnection daemon =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, "notification-daemon");
        NotificationService service;
        ASSERT_TRUE(daemon.registerService("org.freedesktop.Notifications"));
        ASSERT_TRUE(daemon.registerVirtualObject("/org/freedesktop/Notifications", &service));

        TrayIcon tray({});
        EXPECT_FALSE(tray.addIcon("Kelvo is listening"));
        tray.showBalloon("I Heard", "go google");
        ASSERT_TRUE(receives(service, 1));
        QTest::qWait(200); // its reply, with the notification's id, comes back
        // The next replaces it, as a balloon replaces the last; the service
        // reads markup, so the text is escaped to arrive as it is.
        tray.showBalloon("Too Many Browser Tabs Or Browser Windows Open", "tabs & <windows>");
        ASSERT_TRUE(receives(service, 2));
        // Two in quick succession, before the service has answered the
        // first: the second still replaces it.
        tray.showBalloon("I Heard", "go news");
        tray.showBalloon("I Heard", "go weather");
        ASSERT_TRUE(receives(service, 4));
        const auto received = service.received();
        EXPECT_EQ(received[2].replaces, 102u);
        EXPECT_EQ(received[3].replaces, 103u);
        EXPECT_EQ(received[3].text, "go weather");
        EXPECT_EQ(received[0].replaces, 0u);
        EXPECT_EQ(received[0].title, "I Heard");
        EXPECT_EQ(received[0].text, "go google");
        EXPECT_EQ(received[1].replaces, 101u);
        EXPECT_EQ(received[1].title, "Too Many Browser Tabs Or Browser Windows Open");
        EXPECT_EQ(received[1].text, "tabs &amp; &lt;windows&gt;");
        daemon.unregisterObject("/org/freedesktop/Notifications");
    }
    QDBusConnection::disconnectFromBus("notification-daemon");
}

} // namespace
} // namespace kelvo
