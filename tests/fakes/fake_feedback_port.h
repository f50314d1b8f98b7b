#pragma once

#include "speech/feedback_port.h"

#include <string>
#include <vector>

namespace kelvo::fakes {

/// Records what was shown, in order, and keeps the current texts.
class FakeFeedbackPort : public FeedbackPort {
public:
    void setFeedbackText(const std::string& text) override {
        feedbackText = text;
        calls.push_back("feedback " + text);
    }
    void setLocationText(const std::string& text) override {
        locationText = text;
        calls.push_back("location " + text);
    }
    void showBalloon(const std::string& title, const std::string& text) override {
        calls.push_back("balloon " + title + "|" + text);
    }
    void setTrayIcon(TrayIconKind icon, const std::string& tip) override {
        trayIcon = icon;
        trayTip = tip;
        calls.push_back(std::string("tray ") +
                        (icon == TrayIconKind::Asleep ? "asleep" : "listening") + "|" + tip);
    }
    void setListeningIndicator(int image) override {
        indicator = image;
        calls.push_back("indicator " + std::to_string(image));
    }
    void setBusyPointer(bool busy) override {
        calls.push_back(busy ? "pointer busy" : "pointer default");
    }
    void setTrainingMenuEnabled(bool enabled) override {
        calls.push_back(enabled ? "training menu on" : "training menu off");
    }
    void welcome() override { calls.push_back("welcome"); }

    std::vector<std::string> calls;
    std::string feedbackText;
    std::string locationText;
    TrayIconKind trayIcon = TrayIconKind::Listening;
    std::string trayTip;
    int indicator = 0;
};

} // namespace kelvo::fakes
