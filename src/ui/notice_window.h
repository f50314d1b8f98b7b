#pragma once

#include "ui/box_window.h"

class QTimer;

namespace kelvo {

/// The small notice frmCustMsg: the first text in Label3, the second in
/// Label1, a picture, and Timer1 that closes it.
class NoticeWindow final : public BoxWindow {
    Q_OBJECT

public:
    NoticeWindow();

    /// Fills the notice and shows it. With autoClose it closes itself
    /// autoCloseMs after this call; without, it stays until closed.
    void showNotice(const QString& first, const QString& second, bool autoClose, int autoCloseMs,
                    bool modal);

private:
    QLabel* m_first = nullptr;
    QLabel* m_second = nullptr;
    QTimer* m_timer = nullptr;
};

} // namespace kelvo
