#pragma once

#include "platform/status.h"

#include <memory>

namespace kelvo {

/// Turns SIGTERM and SIGINT into bytes on a pipe, so that the event loop,
/// not the signal handler, ends the program in order. The handler only
/// writes one byte; a second signal of the same kind ends the program the
/// usual way, in case the orderly end hangs.
class TerminationSignals {
public:
    /// Installs the handlers. Fails when the pipe or a handler can't be
    /// made, or when another TerminationSignals is alive (one per process).
    static Result<std::unique_ptr<TerminationSignals>> create();

    /// Puts back the handlers that were there before and closes the pipe.
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    /// Becomes readable when a signal has arrived.
    int readFd() const { return m_readFd; }

    /// Takes what arrived so far: the number of the last signal, 0 when
    /// none did.
    int takeArrived();

private:
    TerminationSignals(int readFd, int writeFd);

    int m_readFd;
    int m_writeFd;
};

} // namespace kelvo
