#include "ui/upgrade_notice_window.h"

#include "ui/link_label.h"

#include <QApplication>
#include <QVBoxLayout>

namespace kelvo {

UpgradeNoticeWindow::UpgradeNoticeWindow(AddressOpener& opener, MessageBoxes& boxes)
    : DialogWindow(kName, nullptr), m_logic(*this, opener, boxes) {
    auto* layout = new QVBoxLayout(this);
    m_message = plainLabel(QString(), "lblmessage", this);
    layout->addWidget(m_message);
    m_link = new LinkLabel(this);
    m_link->setObjectName("lblLink");
    layout->addWidget(m_link);
    connect(m_link, &LinkLabel::clicked, this, [this] { m_logic.linkClicked(); });
    resize(420, 160);
}

void UpgradeNoticeWindow::setMessage(const std::string& message) {
    m_message->setText(QString::fromStdString(message));
}

void UpgradeNoticeWindow::setLinkText(const std::string& text) {
    m_link->setText(QString::fromStdString(text));
}

void UpgradeNoticeWindow::setBusyPointer(bool busy) {
    if (busy == m_busy) {
        return;
    }
    // Set for the whole program, and left when the notice goes: the
    // close-down goes on working.
    m_busy = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

} // namespace kelvo
