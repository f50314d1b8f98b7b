#include "ui/message_box_window.h"

#include <QLabel>

namespace kelvo {

MessageBoxWindow::MessageBoxWindow() : BoxWindow("frmCustMsgbox", BoxPicture::Question, true) {
    m_message = addPlainLabel("Label1");
}

void MessageBoxWindow::showBox(const QString& title, BoxStyle style, const QString& message,
                               bool modal) {
    m_message->setText(message);
    setPicture(style == BoxStyle::YesNo ? BoxPicture::Question : BoxPicture::Information);
    setButtons(style);
    present(title, modal);
}

} // namespace kelvo
