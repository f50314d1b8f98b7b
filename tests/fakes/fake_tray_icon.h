#pragma once

#include "windows/tray_icon_port.h"

#include <string>
#include <utility>
#include <vector>

namespace kelvo::fakes {

/// Records the icon's tips and balloons in order.
class FakeTrayIcon : public TrayIconPort {
public:
    bool addIcon(const std::string& tip) override {
        tips.push_back(tip);
        shown = available;
        return available;
    }
    void showBalloon(const std::string& title, const std::string& text) override {
        balloons.emplace_back(title, text);
    }
    void setAsleep(bool value) override { asleep = value; }
    void removeIcon() override { shown = false; }
    bool isShown() const override { return shown; }

    bool available = true;
    bool shown = false;
    bool asleep = false;
    std::vector<std::string> tips;
    std::vector<std::pair<std::string, std::string>> balloons;
};

} // namespace kelvo::fakes
