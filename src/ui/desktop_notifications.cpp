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

// A service answers at once; one that does not must not hold the balloons
// after it for the bus's 25 seconds.
constexpr int kCallTimeoutMs = 3000;
constexpr std::size_t kMostWaiting = 4;

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
    // Each waiting balloon would be replaced at once by the next: only the
    // last few are kept while a service that does not answer holds them.
    if (m_waiting.size() >= kMostWaiting) {
        m_waiting.pop_front();
    }
    m_waiting.push_back({title, text});
    if (!m_calling) {
        sendNext();
    }
}

void DesktopNotifications::sendNext() {
    if (m_waiting.empty()) {
        return;
    }
    Balloon balloon = std::move(m_waiting.front());
    m_waiting.pop_front();
    m_calling = true;
    if (m_markup) {
        send(balloon, *m_markup);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(
            QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                           QStringLiteral("GetCapabilities")),
            kCallTimeoutMs),
        this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, balloon = std::move(balloon)] {
                watcher->deleteLater();
                const QDBusPendingReply<QStringList> reply = *watcher;
                // Without an answer the text goes plain; the Notify call
                // reports a missing service.
                if (!reply.isError()) {
                    m_markup = reply.value().contains(QStringLiteral("body-markup"));
                }
                send(balloon, m_markup.value_or(false));
            });
}

void DesktopNotifications::send(const Balloon& balloon, bool markup) {
    QDBusMessage notify =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    const std::string body = markup ? escapeNotificationMarkup(balloon.text) : balloon.text;
    notify << QStringLiteral("kelvo") << m_lastId << QStringLiteral("kelvo")
           << QString::fromStdString(balloon.title) << QString::fromStdString(body) << QStringList()
           << QVariantMap() << kServiceTimeout;
    auto* watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(notify, kCallTimeoutMs), this);
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
        } else {
            m_lastId = reply.value();
        }
        m_calling = false;
        sendNext();
    });
}

} // namespace kelvo
