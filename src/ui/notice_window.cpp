#include "ui/notice_window.h"

#include <QLabel>
#include <QTimer>

namespace kelvo {

NoticeWindow::NoticeWindow() : BoxWindow("frmCustMsg", BoxPicture::Information, false) {
    m_first = addPlainLabel("Label3");
    QFont bold = m_first->font();
    bold.setBold(true);
    m_first->setFont(bold);
    m_second = addPlainLabel("Label1");
    m_timer = new QTimer(this);
    m_timer->setObjectName("Timer1");
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] { answer(BoxButton::Closed); });
}

void NoticeWindow::showNotice(const QString& first, const QString& second, bool autoClose,
                              int autoCloseMs, bool modal) {
    m_first->setText(first);
    m_second->setText(second);
    // A reused notice runs on the timing of the newest request.
    m_timer->stop();
    if (autoClose) {
        m_timer->start(autoCloseMs);
    }
    present(QString(), modal);
}

} // namespace kelvo
