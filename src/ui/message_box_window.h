#pragma once

#include "ui/box_window.h"

namespace kelvo {

/// The message box frmCustMsgbox: caption, the message in Label1, Yes and
/// No or OK, and a picture.
class MessageBoxWindow final : public BoxWindow {
    Q_OBJECT

public:
    MessageBoxWindow();

    /// Fills the box and shows it; a visible box is reused as it is.
    void showBox(const QString& title, BoxStyle style, const QString& message, bool modal);

private:
    QLabel* m_message = nullptr;
};

} // namespace kelvo
