#include "ui/window_session.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

namespace kelvo {
namespace {

TEST(WindowSessionTest, EachRequestEndsExactlyOnce) {
    WindowSession session;
    std::vector<BoxButton> first;
    std::vector<BoxButton> second;
    const auto a = session.begin([&](BoxButton button) { first.push_back(button); });
    EXPECT_TRUE(session.isCurrent(a));
    const auto b = session.begin([&](BoxButton button) { second.push_back(button); });
    EXPECT_FALSE(session.isCurrent(a));
    EXPECT_TRUE(session.isCurrent(b));
    session.end(BoxButton::Yes);
    session.end(BoxButton::No);
    EXPECT_EQ(first, std::vector<BoxButton>{BoxButton::Closed});
    EXPECT_EQ(second, std::vector<BoxButton>{BoxButton::Yes});
    EXPECT_FALSE(session.isCurrent(b));
}

TEST(WindowSessionTest, ARequestStartedFromAnEndingOneOwnsTheWindow) {
    WindowSession session;
    std::uint64_t fromCallback = 0;
    session.begin([&](BoxButton) { fromCallback = session.begin([](BoxButton) {}); });
    const auto late = session.begin([](BoxButton) {});
    EXPECT_FALSE(session.isCurrent(late));
    EXPECT_TRUE(session.isCurrent(fromCallback));
}

TEST(WindowSessionTest, AbandonedRequestsNeverEnd) {
    WindowSession session;
    int ended = 0;
    session.begin([&](BoxButton) { ++ended; });
    session.abandon();
    session.end(BoxButton::Ok);
    EXPECT_EQ(ended, 0);
}

TEST(WindowSessionTest, WaitModalReturnsTheButtonGivenFromTheLoop) {
    WindowSession session;
    const BoxButton button = WindowSession::waitModal([&](WindowSession::Finish finish) {
        session.begin(std::move(finish));
        QTimer::singleShot(0, [&] { session.end(BoxButton::No); });
    });
    EXPECT_EQ(button, BoxButton::No);
}

TEST(WindowSessionTest, WaitModalReturnsAtOnceWhenFinishedWhileStarting) {
    const BoxButton button =
        WindowSession::waitModal([](WindowSession::Finish finish) { finish(BoxButton::Yes); });
    EXPECT_EQ(button, BoxButton::Yes);
}

} // namespace
} // namespace kelvo
