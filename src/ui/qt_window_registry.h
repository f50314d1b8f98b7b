#pragma once

#include "services/window_registry.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kelvo {

/// The event showWindow sends to a window that is already on screen: the
/// program asked for it again. A window that starts over when shown anew
/// takes it; others ignore it.
QEvent::Type windowAskedAgainEvent();

/// The program's single-instance Qt windows by lower-case name. Each
/// registered window is made by its factory when first shown and owned
/// here until it is unloaded.
class QtWindowRegistry final : public WindowRegistry {
public:
    using Factory = std::function<QWidget*()>;

    QtWindowRegistry() = default;
    ~QtWindowRegistry() override;
    QtWindowRegistry(const QtWindowRegistry&) = delete;
    QtWindowRegistry& operator=(const QtWindowRegistry&) = delete;

    /// Makes a window known under name (matched without regard to case).
    void registerWindow(std::string_view name, Factory factory);

    /// The window, made when not loaded yet; null for an unknown name.
    QWidget* load(std::string_view name);

    /// The window when it is loaded, else null.
    QWidget* loaded(std::string_view name) const;

    bool hasWindow(std::string_view name) const override;
    std::vector<std::string> loadedWindows() const override;
    void unloadWindow(std::string_view name) override;
    void hideWindow(std::string_view name) override;
    void showWindow(std::string_view name) override;
    bool setWindowTopMost(std::string_view name, bool topMost) override;
    void sendToBack(std::string_view name) override;
    void bringToFront(std::string_view name) override;

private:
    struct Loaded {
        std::string name;
        QPointer<QWidget> window;
    };

    std::vector<Loaded>::iterator find(const std::string& key);

    std::map<std::string, Factory> m_factories;
    // In the order the windows were loaded. A window destroyed by other
    // means drops out through its QPointer.
    mutable std::vector<Loaded> m_loaded;
};

} // namespace kelvo
