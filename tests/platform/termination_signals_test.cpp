#include "platform/termination_signals.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>

namespace kelvo {
namespace {

bool readable(int fd) {
    pollfd watched{fd, POLLIN, 0};
    return ::poll(&watched, 1, 0) == 1 && (watched.revents & POLLIN) != 0;
}

void (*currentHandler(int number))(int) {
    struct sigaction action {};
    ::sigaction(number, nullptr, &action);
    return action.sa_handler;
}

volatile std::sig_atomic_t g_earlierHandlerRan = 0;

extern "C" void earlierHandler(int) {
    g_earlierHandlerRan = 1;
}

TEST(TerminationSignalsTest, EachSignalArrivesOnThePipeOnceAndLeavesErrnoAlone) {
    for (int number : {SIGTERM, SIGINT}) {
        auto watched = TerminationSignals::create();
        ASSERT_TRUE(watched.ok()) << watched.error().message();
        EXPECT_FALSE(readable((*watched)->readFd()));
        errno = ENOENT;
        ASSERT_EQ(std::raise(number), 0);
        EXPECT_EQ(errno, ENOENT);
        EXPECT_TRUE(readable((*watched)->readFd())) << number;
        EXPECT_EQ((*watched)->takeArrived(), number);
        EXPECT_EQ((*watched)->takeArrived(), 0);
        EXPECT_FALSE(readable((*watched)->readFd()));
        // A second signal would end the program the usual way.
        EXPECT_EQ(currentHandler(number), SIG_DFL) << number;
    }
}

TEST(TerminationSignalsTest, AFullPipeNeitherBlocksTheHandlerNorChangesErrno) {
    auto watched = TerminationSignals::create();
    ASSERT_TRUE(watched.ok());
    void (*handler)(int) = currentHandler(SIGTERM);
    ASSERT_NE(handler, SIG_DFL);
    const int capacity = ::fcntl((*watched)->readFd(), F_GETPIPE_SZ);
    ASSERT_GT(capacity, 0);
    // Called directly: a raised signal would find the default handler again.
    for (int i = 0; i < capacity; ++i) {
        handler(SIGTERM);
    }
    errno = ENOENT;
    handler(SIGINT);
    EXPECT_EQ(errno, ENOENT);
    // The byte that did not fit is lost; the loop still learns of a signal.
    EXPECT_EQ((*watched)->takeArrived(), SIGTERM);
    EXPECT_FALSE(readable((*watched)->readFd()));
}

TEST(TerminationSignalsTest, OnlyOneWatcherAtATime) {
    auto first = TerminationSignals::create();
    ASSERT_TRUE(first.ok());
    auto second = TerminationSignals::create();
    EXPECT_FALSE(second.ok());
    first = Status::failure(0, "released");
    auto third = TerminationSignals::create();
    EXPECT_TRUE(third.ok());
}

TEST(TerminationSignalsTest, EndingTheWatchPutsBackTheEarlierHandlers) {
    struct sigaction earlier {};
    earlier.sa_handler = earlierHandler;
    sigemptyset(&earlier.sa_mask);
    struct sigaction original {};
    ASSERT_EQ(::sigaction(SIGINT, &earlier, &original), 0);
    {
        auto watched = TerminationSignals::create();
        ASSERT_TRUE(watched.ok());
        EXPECT_NE(currentHandler(SIGINT), earlierHandler);
    }
    EXPECT_EQ(currentHandler(SIGINT), earlierHandler);
    ASSERT_EQ(std::raise(SIGINT), 0);
    EXPECT_EQ(g_earlierHandlerRan, 1);
    ::sigaction(SIGINT, &original, nullptr);
}

} // namespace
} // namespace kelvo
