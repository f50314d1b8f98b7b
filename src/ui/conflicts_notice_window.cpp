#include "ui/conflicts_notice_window.h"

#include <QVBoxLayout>

namespace kelvo {

ConflictsNoticeWindow::ConflictsNoticeWindow() : DialogWindow(kName, nullptr), m_logic(*this) {
    auto* layout = new QVBoxLayout(this);
    m_message = plainLabel(QString(), "lblMsg", this);
    layout->addWidget(m_message);
    resize(460, 200);
}

void ConflictsNoticeWindow::setMessage(const std::string& message) {
    m_message->setText(QString::fromStdString(message));
}

} // namespace kelvo
