#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QTimer>

#include <functional>

namespace kelvo::fakes {

/// What runInEventLoop returns when nothing ended the loop in time.
inline constexpr int kLoopNotEnded = 99;

/// Runs action inside the application's event loop and returns the loop's
/// exit code: the code of whatever ended it, or kLoopNotEnded once guardMs
/// passed, so a test that should end the loop cannot hang.
inline int runInEventLoop(const std::function<void()>& action, int guardMs) {
    QTimer::singleShot(0, action);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(kLoopNotEnded); });
    guard.start(guardMs);
    return QCoreApplication::exec();
}

} // namespace kelvo::fakes
