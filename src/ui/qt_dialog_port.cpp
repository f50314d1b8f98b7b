#include "ui/qt_dialog_port.h"

#include "ui/error_link_window.h"
#include "ui/message_box_window.h"
#include "ui/notice_window.h"
#include "ui/runtime_error_window.h"

#include <QString>

namespace kelvo {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

template <typename Window>
Window& lazyWindow(std::unique_ptr<Window>& window, WindowSession& session) {
    if (!window) {
        window = std::make_unique<Window>();
        window->setAnswerHandler([&session](BoxButton button) { session.end(button); });
    }
    return *window;
}

} // namespace

QtDialogPort::QtDialogPort() = default;

QtDialogPort::~QtDialogPort() {
    // Callers' callbacks may point at objects already gone: never run them
    // while the program is being taken apart.
    m_messageBoxSession.abandon();
    m_noticeSession.abandon();
    m_runtimeErrorSession.abandon();
    m_errorSession.abandon();
}

BoxButton QtDialogPort::showMessageBoxModal(const std::string& title, BoxStyle style,
                                            const std::string& message) {
    return WindowSession::waitModal([&](WindowSession::Finish finish) {
        openMessageBox(title, style, message, true, std::move(finish));
    });
}

void QtDialogPort::showMessageBoxModeless(const std::string& title, BoxStyle style,
                                          const std::string& message,
                                          std::function<void(BoxButton)> onAnswer) {
    openMessageBox(title, style, message, false, std::move(onAnswer));
}

void QtDialogPort::openMessageBox(const std::string& title, BoxStyle style,
                                  const std::string& message, bool modal,
                                  WindowSession::Finish finish) {
    MessageBoxWindow& window = messageBox();
    const auto id = m_messageBoxSession.begin(std::move(finish));
    if (m_messageBoxSession.isCurrent(id)) {
        window.showBox(qs(title), style, qs(message), modal);
    }
}

void QtDialogPort::showNotice(const std::string& first, const std::string& second, bool autoClose,
                              int autoCloseMs, bool modal) {
    if (!modal) {
        openNotice(first, second, autoClose, autoCloseMs, false, [](BoxButton) {});
        return;
    }
    WindowSession::waitModal([&](WindowSession::Finish finish) {
        openNotice(first, second, autoClose, autoCloseMs, true, std::move(finish));
    });
}

void QtDialogPort::openNotice(const std::string& first, const std::string& second, bool autoClose,
                              int autoCloseMs, bool modal, WindowSession::Finish finish) {
    NoticeWindow& window = notice();
    const auto id = m_noticeSession.begin(std::move(finish));
    if (m_noticeSession.isCurrent(id)) {
        window.showNotice(qs(first), qs(second), autoClose, autoCloseMs, modal);
    }
}

void QtDialogPort::showRuntimeError(const std::string& title, const std::string& message,
                                    std::function<void()> onOk) {
    RuntimeErrorWindow& window = runtimeError();
    // Only the OK of the report on screen acts; a replaced report is gone.
    const auto id = m_runtimeErrorSession.begin([onOk = std::move(onOk)](BoxButton button) {
        if (button == BoxButton::Ok && onOk) {
            onOk();
        }
    });
    if (m_runtimeErrorSession.isCurrent(id)) {
        window.showError(qs(title), qs(message));
    }
}

BoxButton QtDialogPort::showErrorDialog(const std::string& title, BoxStyle style,
                                        const std::string& message, const std::string& linkCaption,
                                        bool modal, std::function<void()> onLink) {
    if (!modal) {
        openErrorDialog(title, style, message, linkCaption, false, std::move(onLink),
                        [](BoxButton) {});
        return BoxButton::Ok;
    }
    return WindowSession::waitModal([&](WindowSession::Finish finish) {
        openErrorDialog(title, style, message, linkCaption, true, std::move(onLink),
                        std::move(finish));
    });
}

void QtDialogPort::openErrorDialog(const std::string& title, BoxStyle style,
                                   const std::string& message, const std::string& linkCaption,
                                   bool modal, std::function<void()> onLink,
                                   WindowSession::Finish finish) {
    ErrorLinkWindow& window = errorDialog();
    const auto id = m_errorSession.begin(std::move(finish));
    if (m_errorSession.isCurrent(id)) {
        window.showError(qs(title), style, qs(message), qs(linkCaption), modal, std::move(onLink));
    }
}

MessageBoxWindow& QtDialogPort::messageBox() {
    return lazyWindow(m_messageBox, m_messageBoxSession);
}

NoticeWindow& QtDialogPort::notice() {
    return lazyWindow(m_notice, m_noticeSession);
}

RuntimeErrorWindow& QtDialogPort::runtimeError() {
    return lazyWindow(m_runtimeError, m_runtimeErrorSession);
}

ErrorLinkWindow& QtDialogPort::errorDialog() {
    return lazyWindow(m_error, m_errorSession);
}

} // namespace kelvo
