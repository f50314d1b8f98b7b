#pragma once

#include "services/dialog_port.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// Records every window shown. Modal boxes answer from a script of buttons
/// (Ok when it runs dry); modeless boxes keep their callback so a test can
/// press a button later with answerModeless().
class FakeDialogPort : public DialogPort {
public:
    struct Shown {
        std::string kind; // "modal", "modeless", "notice", "runtime", "error"
        std::string title;
        BoxStyle style = BoxStyle::None;
        std::string message;
        bool autoClose = false;
        int autoCloseMs = 0;
        bool modal = false;
    };

    BoxButton showMessageBoxModal(const std::string& title, BoxStyle style,
                                  const std::string& message) override {
        shown.push_back({"modal", title, style, message});
        if (duringModal) {
            duringModal();
        }
        return nextButton();
    }

    void showMessageBoxModeless(const std::string& title, BoxStyle style,
                                const std::string& message,
                                std::function<void(BoxButton)> onAnswer) override {
        shown.push_back({"modeless", title, style, message});
        pendingModeless.push_back(std::move(onAnswer));
    }

    void showNotice(const std::string& first, const std::string& second, bool autoClose,
                    int autoCloseMs, bool modal) override {
        shown.push_back({"notice", first, BoxStyle::None, second, autoClose, autoCloseMs, modal});
    }

    void showRuntimeError(const std::string& title, const std::string& message,
                          std::function<void()> onOk) override {
        shown.push_back({"runtime", title, BoxStyle::Ok, message});
        runtimeErrorOk = std::move(onOk);
    }

    BoxButton showErrorDialog(const std::string& title, BoxStyle style, const std::string& message,
                              const std::string& linkCaption, bool modal,
                              std::function<void()> onLink) override {
        shown.push_back({"error", title, style, message + "|" + linkCaption, false, 0, modal});
        errorLink = std::move(onLink);
        return modal ? nextButton() : BoxButton::Ok;
    }

    /// Presses a button on the oldest modeless box still open.
    void answerModeless(BoxButton button) {
        auto callback = std::move(pendingModeless.front());
        pendingModeless.pop_front();
        callback(button);
    }

    std::vector<Shown> shown;
    std::deque<BoxButton> modalAnswers;
    std::deque<std::function<void(BoxButton)>> pendingModeless;
    std::function<void()> runtimeErrorOk;
    std::function<void()> errorLink;
    std::function<void()> duringModal;

private:
    BoxButton nextButton() {
        if (modalAnswers.empty()) {
            return BoxButton::Ok;
        }
        const BoxButton button = modalAnswers.front();
        modalAnswers.pop_front();
        return button;
    }
};

} // namespace kelvo::fakes
