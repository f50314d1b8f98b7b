#pragma once

// Dialogs and program control that do nothing, for benchmarks that time the
// work around them.

#include "services/app_control.h"
#include "services/dialog_port.h"

namespace kelvo::bench {

class QuietDialogs final : public DialogPort {
public:
    BoxButton showMessageBoxModal(const std::string&, BoxStyle, const std::string&) override {
        return BoxButton::Ok;
    }
    void showMessageBoxModeless(const std::string&, BoxStyle, const std::string&,
                                std::function<void(BoxButton)>) override {}
    void showNotice(const std::string&, const std::string&, bool, int, bool) override {}
    void showRuntimeError(const std::string&, const std::string&, std::function<void()>) override {}
    BoxButton showErrorDialog(const std::string&, BoxStyle, const std::string&, const std::string&,
                              bool, std::function<void()>) override {
        return BoxButton::Ok;
    }
};

class QuietApp final : public AppControl {
public:
    void pumpEvents() override {}
    void backupCustomStore() override {}
    bool questionnaireTakesOverQuit() override { return false; }
    void quitProgram() override {}
    void endProgramNow() override {}
    void shutdownComputer(int, const std::string&) override {}
};

} // namespace kelvo::bench
