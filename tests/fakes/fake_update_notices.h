#pragma once

#include "windows/update_window_view.h"
#include "windows/upgrade_notice_port.h"

#include <string>
#include <vector>

namespace kelvo::fakes {

/// Records what the progress window was told, in order ("show",
/// "message TEXT", "progress N", "close").
class FakeUpdateWindowView : public UpdateWindowView {
public:
    void showWindow() override { calls.push_back("show"); }
    void setMessage(const std::string& message) override { calls.push_back("message " + message); }
    void setProgress(int percent) override {
        calls.push_back("progress " + std::to_string(percent));
    }
    void closeWindow() override { calls.push_back("close"); }

    std::vector<std::string> calls;
};

/// Records every new-version notice as "message|link".
class FakeUpgradeNoticePort : public UpgradeNoticePort {
public:
    void showUpgradeNotice(const std::string& message, const std::string& link) override {
        shown.push_back(message + "|" + link);
    }

    std::vector<std::string> shown;
};

} // namespace kelvo::fakes
