#include "ui/error_link_window.h"

#include "ui/link_label.h"

#include <QVBoxLayout>

namespace kelvo {

ErrorLinkWindow::ErrorLinkWindow() : BoxWindow("frmError", BoxPicture::Error, true) {
    m_message = addPlainLabel("lblError");
    m_link = new LinkLabel(this);
    m_link->setObjectName("lblLink");
    body()->addWidget(m_link);
    connect(m_link, &LinkLabel::clicked, this, [this] {
        // Copied first: the link may end the program or reuse this window.
        const std::function<void()> onLink = m_onLink;
        if (onLink) {
            onLink();
        }
    });
}

void ErrorLinkWindow::showError(const QString& title, BoxStyle style, const QString& message,
                                const QString& linkCaption, bool modal,
                                std::function<void()> onLink) {
    m_message->setText(message);
    m_link->setText(linkCaption);
    m_onLink = std::move(onLink);
    setButtons(style);
    present(title, modal);
}

} // namespace kelvo
