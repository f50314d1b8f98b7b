#include "ui/qt_ui_poster.h"

#include <QMetaObject>
#include <QObject>

namespace kelvo {

QtUiPoster::QtUiPoster(QObject* context) : m_context(context) {}

void QtUiPoster::post(std::function<void()> task) {
    // A queued call runs in the context's thread on its next event-loop turn,
    // even when posted from that very thread.
    QMetaObject::invokeMethod(
        m_context.data(), [task = std::move(task)]() { task(); }, Qt::QueuedConnection);
}

} // namespace kelvo
