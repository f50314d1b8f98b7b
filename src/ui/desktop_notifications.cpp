#include "ui/desktop_notifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

#include <cstdio>

namespace kelvo {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

// The service's own time-out, as a balloon's is the shell's.
constexpr int kServiceTimeout = -1;

} // namespace

std::string escapeNotificationMarkup(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

DesktopNotifications::DesktopNotifications(QObject* parent) : QObject(parent) {}

void DesktopNotifications::show(const std::string& title, const std::string& text) {
    if (m_markup) {
        send(title, text, *m_markup);
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    auto* watcher = new QDBusPendingCallWatcher(
        bus.asyncCall(QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                     QStringLiteral("GetCapabilities"))),
        this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, title, text] {
        watcher->deleteLater();
        const QDBusPendingReply<QStringList> reply = *watcher;
        // Without an answer the text goes plain; the Notify call
        // reports a missing service.
        if (!reply.isError()) {
            m_markup = reply.value().contains(QStringLiteral("body-markup"));
        }
        send(title, text, m_markup.value_or(false));
    });
}

void DesktopNotifications::send(const std::string& title, const std::string& text, bool markup) {
    QDBusMessage notify =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    const std::string body = markup ? escapeNotificationMarkup(text) : text;
    notify << QStringLiteral("kelvo") << m_lastId << QStringLiteral("kelvo")
           << QString::fromStdString(title) << QString::fromStdString(body) << QStringList()
           << QVariantMap() << kServiceTimeout;
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<unsigned int> reply = *watcher;
        if (reply.isError()) {
            if (!m_failureLogged) {
                m_failureLogged = true;
                std::fprintf(stderr,
                             "kelvo: no notification area and no notification service: %s\n",
                             reply.error().message().toLocal8Bit().constData());
            }
            return;
        }
        m_lastId = reply.value();
    });
}

} // namespace kelvo
