#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace kelvo::testing {

/// Every top-level window with this object name, shown or not.
inline std::vector<QWidget*> windowsNamed(const QString& name) {
    std::vector<QWidget*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name) {
            found.push_back(widget);
        }
    }
    return found;
}

/// The one shown top-level window with this name, or null.
inline QWidget* shownWindow(const QString& name) {
    for (QWidget* widget : windowsNamed(name)) {
        if (widget->isVisible()) {
            return widget;
        }
    }
    return nullptr;
}

/// Runs action from the event loop once the window is shown (used to
/// answer modal windows, whose call does not return until answered). Gives
/// up after about ten seconds.
inline void whenShown(const QString& name, std::function<void(QWidget*)> action) {
    auto poll = std::make_shared<std::function<void()>>();
    auto tries = std::make_shared<int>(0);
    *poll = [name, action, poll, tries] {
        QWidget* window = shownWindow(name);
        if (window != nullptr || ++*tries > 2000) {
            if (window != nullptr) {
                action(window);
            }
            *poll = nullptr; // breaks the cycle; the running copy belongs to the timer
            return;
        }
        QTimer::singleShot(5, *poll);
    };
    QTimer::singleShot(0, *poll);
}

/// Clicks the named child of a window with the left mouse button.
inline void clickChild(QWidget* window, const char* childName) {
    auto* child = window->findChild<QWidget*>(childName);
    if (child != nullptr) {
        QTest::mouseClick(child, Qt::LeftButton);
    }
}

} // namespace kelvo::testing
