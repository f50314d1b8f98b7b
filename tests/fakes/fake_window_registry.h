#pragma once

#include "services/window_registry.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// Windows as a list of names with a shown flag. Every call is recorded as
/// "verb name" ("unload frmabout", "topmost mouse on"), in order.
class FakeWindowRegistry : public WindowRegistry {
public:
    /// Loads a window as the test's starting state (not recorded).
    void load(const std::string& name, bool shown = true) {
        if (!loaded(name)) {
            m_order.push_back(name);
        }
        m_shown[name] = shown;
    }
    bool loaded(std::string_view name) const {
        return std::find(m_order.begin(), m_order.end(), name) != m_order.end();
    }
    bool shown(std::string_view name) const {
        auto it = m_shown.find(std::string(name));
        return it != m_shown.end() && it->second;
    }

    bool hasWindow(std::string_view name) const override {
        return loaded(name) || std::find(known.begin(), known.end(), name) != known.end();
    }
    std::vector<std::string> loadedWindows() const override { return m_order; }

    void unloadWindow(std::string_view name) override {
        calls.push_back("unload " + std::string(name));
        if (!loaded(name)) {
            return;
        }
        m_order.erase(std::find(m_order.begin(), m_order.end(), name));
        m_shown.erase(std::string(name));
        // A window's own unload handler may touch other windows.
        if (auto it = onUnload.find(std::string(name)); it != onUnload.end()) {
            it->second();
        }
    }
    void hideWindow(std::string_view name) override {
        calls.push_back("hide " + std::string(name));
        if (loaded(name)) {
            m_shown[std::string(name)] = false;
        }
    }
    void showWindow(std::string_view name) override {
        calls.push_back("show " + std::string(name));
        load(std::string(name), true);
        // What the window reads as it loads or starts over.
        if (auto it = onShow.find(std::string(name)); it != onShow.end()) {
            it->second();
        }
    }
    bool setWindowTopMost(std::string_view name, bool topMost) override {
        calls.push_back("topmost " + std::string(name) + (topMost ? " on" : " off"));
        if (!loaded(name)) {
            return false;
        }
        m_shown[std::string(name)] = true;
        return topMostResult;
    }
    void sendToBack(std::string_view name) override {
        calls.push_back("back " + std::string(name));
    }
    void bringToFront(std::string_view name) override {
        calls.push_back("front " + std::string(name));
    }

    std::vector<std::string> calls;
    /// Windows the program has besides the loaded ones.
    std::vector<std::string> known;
    std::map<std::string, std::function<void()>> onUnload;
    std::map<std::string, std::function<void()>> onShow;
    bool topMostResult = true;

private:
    std::vector<std::string> m_order;
    std::map<std::string, bool> m_shown;
};

} // namespace kelvo::fakes
