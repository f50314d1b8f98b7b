#include "platform/termination_signals.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kelvo {

namespace {

constexpr std::array<int, 2> kSignals = {SIGTERM, SIGINT};
constexpr int kCannotInstall = 75;

// A signal handler gets no context: the pipe it writes to can only be
// reached through this one variable.
std::atomic<int> g_writeFd{-1};
static_assert(std::atomic<int>::is_always_lock_free);

std::array<struct sigaction, kSignals.size()> g_previous{};

extern "C" void onTerminationSignal(int number) {
    const int savedErrno = errno;
    const int fd = g_writeFd.load();
    if (fd >= 0) {
        const auto byte = static_cast<unsigned char>(number);
        // A full pipe already holds a byte the loop will read.
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

void restorePrevious(size_t count) {
    for (size_t i = 0; i < count; ++i) {
        ::sigaction(kSignals[i], &g_previous[i], nullptr);
    }
}

} // namespace

Result<std::unique_ptr<TerminationSignals>> TerminationSignals::create() {
    if (g_writeFd.load() >= 0) {
        return Status::failure(kCannotInstall, "the termination signals are already watched");
    }
    std::array<int, 2> fds{};
    if (::pipe2(fds.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        return Status::failure(kCannotInstall,
                               std::string("cannot make the signal pipe: ") + std::strerror(errno));
    }
    g_writeFd.store(fds[1]);
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted calls go on; a second signal finds the default again.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (size_t i = 0; i < kSignals.size(); ++i) {
        if (::sigaction(kSignals[i], &action, &g_previous[i]) != 0) {
            const int error = errno;
            restorePrevious(i);
            g_writeFd.store(-1);
            ::close(fds[0]);
            ::close(fds[1]);
            return Status::failure(kCannotInstall,
                                   std::string("cannot watch a signal: ") + std::strerror(error));
        }
    }
    return std::unique_ptr<TerminationSignals>(new TerminationSignals(fds[0], fds[1]));
}

TerminationSignals::TerminationSignals(int readFd, int writeFd)
    : m_readFd(readFd), m_writeFd(writeFd) {}

TerminationSignals::~TerminationSignals() {
    restorePrevious(kSignals.size());
    g_writeFd.store(-1);
    ::close(m_readFd);
    ::close(m_writeFd);
}

int TerminationSignals::takeArrived() {
    int last = 0;
    std::array<unsigned char, 16> bytes{};
    for (;;) {
        const ssize_t count = ::read(m_readFd, bytes.data(), bytes.size());
        if (count > 0) {
            last = bytes[static_cast<size_t>(count) - 1];
            continue;
        }
        if (count < 0 && errno == EINTR) {
            continue;
        }
        return last;
    }
}

} // namespace kelvo
