#pragma once

#include "services/dialog_port.h"
#include "ui/window_session.h"

#include <memory>

namespace kelvo {

class ErrorLinkWindow;
class MessageBoxWindow;
class NoticeWindow;
class RuntimeErrorWindow;

/// The program's four windows as Qt dialogs. Each window exists once and a
/// new request reuses it; the request it served until then ends as closed.
class QtDialogPort final : public DialogPort {
public:
    QtDialogPort();
    ~QtDialogPort() override;
    QtDialogPort(const QtDialogPort&) = delete;
    QtDialogPort& operator=(const QtDialogPort&) = delete;

    BoxButton showMessageBoxModal(const std::string& title, BoxStyle style,
                                  const std::string& message) override;
    void showMessageBoxModeless(const std::string& title, BoxStyle style,
                                const std::string& message,
                                std::function<void(BoxButton)> onAnswer) override;
    void showNotice(const std::string& first, const std::string& second, bool autoClose,
                    int autoCloseMs, bool modal) override;
    void showRuntimeError(const std::string& title, const std::string& message,
                          std::function<void()> onOk) override;
    BoxButton showErrorDialog(const std::string& title, BoxStyle style, const std::string& message,
                              const std::string& linkCaption, bool modal,
                              std::function<void()> onLink) override;

private:
    void openMessageBox(const std::string& title, BoxStyle style, const std::string& message,
                        bool modal, WindowSession::Finish finish);
    void openNotice(const std::string& first, const std::string& second, bool autoClose,
                    int autoCloseMs, bool modal, WindowSession::Finish finish);
    void openErrorDialog(const std::string& title, BoxStyle style, const std::string& message,
                         const std::string& linkCaption, bool modal, std::function<void()> onLink,
                         WindowSession::Finish finish);

    MessageBoxWindow& messageBox();
    NoticeWindow& notice();
    RuntimeErrorWindow& runtimeError();
    ErrorLinkWindow& errorDialog();

    // Sessions first: they outlive the windows that report into them.
    WindowSession m_messageBoxSession;
    WindowSession m_noticeSession;
    WindowSession m_runtimeErrorSession;
    WindowSession m_errorSession;
    std::unique_ptr<MessageBoxWindow> m_messageBox;
    std::unique_ptr<NoticeWindow> m_notice;
    std::unique_ptr<RuntimeErrorWindow> m_runtimeError;
    std::unique_ptr<ErrorLinkWindow> m_error;
};

} // namespace kelvo
