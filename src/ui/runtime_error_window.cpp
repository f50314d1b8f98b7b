#include "ui/runtime_error_window.h"

#include <QLabel>

namespace kelvo {

RuntimeErrorWindow::RuntimeErrorWindow() : BoxWindow("frmRuntimeError", BoxPicture::Error, true) {
    m_message = addPlainLabel("Label1");
    setButtons(BoxStyle::Ok);
}

void RuntimeErrorWindow::showError(const QString& title, const QString& message) {
    m_message->setText(message);
    setButtons(BoxStyle::Ok);
    present(title, false);
}

} // namespace kelvo
