#pragma once

#include "platform/speech/speech_events.h"

#include <QPointer>

class QObject;

namespace kelvo {

/// Posts tasks through the Qt event loop of the object's thread (the UI
/// thread), so they run after the current handler returns.
class QtUiPoster : public speech::UiPoster {
public:
    /// Tasks are dropped once the context object is gone.
    explicit QtUiPoster(QObject* context);

    void post(std::function<void()> task) override;

private:
    QPointer<QObject> m_context;
};

} // namespace kelvo
