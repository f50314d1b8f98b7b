#pragma once

#include "platform/termination_signals.h"

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace kelvo {

/// Runs the program's orderly end from the event loop when the program is
/// asked to end by SIGTERM or SIGINT.
class TerminationWatcher final : public QObject {
    Q_OBJECT
public:
    /// end runs once per signal that arrives (the close-down itself runs
    /// only once, whatever asks for it).
    TerminationWatcher(std::unique_ptr<TerminationSignals> termination, std::function<void()> end,
                       QObject* parent = nullptr);
    ~TerminationWatcher() override;

private:
    void signalArrived();

    std::unique_ptr<TerminationSignals> m_termination;
    std::function<void()> m_end;
    QSocketNotifier* m_notifier;
};

} // namespace kelvo
