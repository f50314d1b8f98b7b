#include "ui/qt_ui_poster.h"

#include <QCoreApplication>
#include <QObject>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace kelvo {
namespace {

TEST(QtUiPoster, RunsTasksLaterOnTheUiThreadInOrder) {
    QObject context;
    QtUiPoster poster(&context);
    std::vector<int> ran;
    poster.post([&] { ran.push_back(1); });
    poster.post([&] { ran.push_back(2); });
    EXPECT_TRUE(ran.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST(QtUiPoster, TasksPostedFromAnotherThreadRunOnTheUiThread) {
    QObject context;
    QtUiPoster poster(&context);
    QThread* uiThread = QThread::currentThread();
    std::atomic<bool> onUi{false};
    std::atomic<int> count{0};
    std::thread worker([&] {
        poster.post([&] {
            onUi = QThread::currentThread() == uiThread;
            ++count;
        });
    });
    worker.join();
    for (int i = 0; i < 100 && count == 0; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(onUi);
}

TEST(QtUiPoster, TasksOfAGoneContextAreDropped) {
    auto context = std::make_unique<QObject>();
    QtUiPoster poster(context.get());
    bool ran = false;
    poster.post([&] { ran = true; });
    context.reset();
    QCoreApplication::processEvents();
    poster.post([&] { ran = true; });
    QCoreApplication::processEvents();
    EXPECT_FALSE(ran);
}

} // namespace
} // namespace kelvo
