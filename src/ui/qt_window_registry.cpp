#include "ui/qt_window_registry.h"

#include <QCoreApplication>

#include <algorithm>
#include <cctype>

namespace kelvo {

namespace {

std::string lowerCase(std::string_view name) {
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

} // namespace

QEvent::Type windowAskedAgainEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

QtWindowRegistry::~QtWindowRegistry() {
    for (Loaded& entry : m_loaded) {
        delete entry.window.data();
    }
}

void QtWindowRegistry::registerWindow(std::string_view name, Factory factory) {
    m_factories[lowerCase(name)] = std::move(factory);
}

std::vector<QtWindowRegistry::Loaded>::iterator QtWindowRegistry::find(const std::string& key) {
    std::erase_if(m_loaded, [](const Loaded& entry) { return entry.window.isNull(); });
    return std::find_if(m_loaded.begin(), m_loaded.end(),
                        [&key](const Loaded& entry) { return entry.name == key; });
}

QWidget* QtWindowRegistry::load(std::string_view name) {
    const std::string key = lowerCase(name);
    if (auto it = find(key); it != m_loaded.end()) {
        return it->window;
    }
    auto factory = m_factories.find(key);
    if (factory == m_factories.end()) {
        return nullptr;
    }
    QWidget* window = factory->second();
    if (window != nullptr) {
        m_loaded.push_back({key, window});
    }
    return window;
}

bool QtWindowRegistry::hasWindow(std::string_view name) const {
    return m_factories.count(lowerCase(name)) != 0 || loaded(name) != nullptr;
}

QWidget* QtWindowRegistry::loaded(std::string_view name) const {
    const std::string key = lowerCase(name);
    for (const Loaded& entry : m_loaded) {
        if (entry.name == key && !entry.window.isNull()) {
            return entry.window;
        }
    }
    return nullptr;
}

std::vector<std::string> QtWindowRegistry::loadedWindows() const {
    std::erase_if(m_loaded, [](const Loaded& entry) { return entry.window.isNull(); });
    std::vector<std::string> names;
    for (const Loaded& entry : m_loaded) {
        names.push_back(entry.name);
    }
    return names;
}

void QtWindowRegistry::unloadWindow(std::string_view name) {
    auto it = find(lowerCase(name));
    if (it == m_loaded.end()) {
        return;
    }
    QPointer<QWidget> window = it->window;
    // The window may refuse to close; then it stays loaded.
    if (!window->close() || window.isNull()) {
        return;
    }
    std::erase_if(m_loaded, [&window](const Loaded& entry) { return entry.window == window; });
    // Later: the unload may come from one of the window's own handlers.
    window->deleteLater();
}

void QtWindowRegistry::hideWindow(std::string_view name) {
    if (QWidget* window = loaded(name)) {
        window->hide();
    }
}

void QtWindowRegistry::showWindow(std::string_view name) {
    if (QWidget* window = load(name)) {
        // show() does nothing to a window on screen, not even raise it.
        const bool onScreen = window->isVisible();
        window->show();
        if (onScreen) {
            QEvent again(windowAskedAgainEvent());
            QCoreApplication::sendEvent(window, &again);
        }
    }
}

bool QtWindowRegistry::setWindowTopMost(std::string_view name, bool topMost) {
    QWidget* window = loaded(name);
    if (window == nullptr) {
        return false;
    }
    // Changing the flags takes the window off the screen; show it again
    // without taking the focus from where the user is.
    const bool quiet = window->testAttribute(Qt::WA_ShowWithoutActivating);
    window->setAttribute(Qt::WA_ShowWithoutActivating, true);
    window->setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    window->show();
    window->setAttribute(Qt::WA_ShowWithoutActivating, quiet);
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topMost;
}

void QtWindowRegistry::sendToBack(std::string_view name) {
    if (QWidget* window = loaded(name)) {
        window->lower();
    }
}

void QtWindowRegistry::bringToFront(std::string_view name) {
    if (QWidget* window = loaded(name)) {
        window->raise();
        window->activateWindow();
    }
}

} // namespace kelvo
