#pragma once

#include "platform/desktop.h"

#include <map>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// A desktop of named windows. Records every action as a line:
/// "down primary", "up secondary", "key Super_L", "close 7", "restore 7",
/// "raise process 42".
class FakeDesktop : public Desktop {
public:
    Status pressButton(PointerButton button, bool down) override {
        if (!available) {
            return Status::failure(1, "no X display");
        }
        static const char* kNames[] = {"primary", "middle", "secondary"};
        calls.push_back(std::string(down ? "down " : "up ") + kNames[static_cast<int>(button)]);
        return {};
    }
    Status tapKey(const std::string& keySymbol) override {
        if (!available) {
            return Status::failure(1, "no X display");
        }
        calls.push_back("key " + keySymbol);
        return {};
    }
    Result<WindowHandle> activeWindow() override {
        if (!available) {
            return Status::failure(1, "no X display");
        }
        return active;
    }
    std::string windowTitle(WindowHandle window) override {
        auto it = titles.find(window);
        return it == titles.end() ? "" : it->second;
    }
    bool isDesktopOrDock(WindowHandle window) override {
        return window == 0 || docks.count(window) > 0;
    }
    Status closeWindow(WindowHandle window) override {
        if (!available) {
            return Status::failure(1, "no X display");
        }
        calls.push_back("close " + std::to_string(window));
        return {};
    }
    Status restoreWindow(WindowHandle window) override {
        if (!available) {
            return Status::failure(1, "no X display");
        }
        calls.push_back("restore " + std::to_string(window));
        return {};
    }
    Status raiseWindowOf(std::uint32_t processId) override {
        if (!available) {
            return Status::failure(1, "no X display");
        }
        calls.push_back("raise process " + std::to_string(processId));
        return {};
    }

    Result<std::vector<WindowClass>> clientWindowClasses() override {
        if (!available) {
            return Status::failure(1, "no X display");
        }
        return clients;
    }

    bool available = true;
    std::vector<WindowClass> clients;
    WindowHandle active = 0;
    std::map<WindowHandle, std::string> titles;
    std::map<WindowHandle, bool> docks;
    std::vector<std::string> calls;
};

} // namespace kelvo::fakes
