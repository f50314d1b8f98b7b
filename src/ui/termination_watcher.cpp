#include "ui/termination_watcher.h"

#include <QSocketNotifier>

#include <cstdio>
#include <utility>

namespace kelvo {

TerminationWatcher::TerminationWatcher(std::unique_ptr<TerminationSignals> termination,
                                       std::function<void()> end, QObject* parent)
    : QObject(parent), m_termination(std::move(termination)), m_end(std::move(end)),
      m_notifier(new QSocketNotifier(m_termination->readFd(), QSocketNotifier::Read, this)) {
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationWatcher::signalArrived);
}

TerminationWatcher::~TerminationWatcher() {
    // The notifier must let go of the descriptor before the pipe closes;
    // as a child it would outlive the members.
    delete m_notifier;
}

void TerminationWatcher::signalArrived() {
    const int number = m_termination->takeArrived();
    if (number == 0) {
        return;
    }
    std::fprintf(stderr, "kelvo: ending on signal %d\n", number);
    if (m_end) {
        m_end();
    }
}

} // namespace kelvo
