#include "ui/support_window.h"

#include "ui/link_label.h"
#include "windows/maker_site.h"

#include <QVBoxLayout>

namespace kelvo {

SupportWindow::SupportWindow(AddressOpener& opener, WindowRegistry& windows)
    : DialogWindow(kName, nullptr), m_logic(*this, opener, windows) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(plainLabel("If the help pages do not answer your question, write to us or "
                                 "visit our support page.",
                                 "Label3", this));
    layout->addWidget(plainLabel("Visit our support page:", "Label1", this));
    auto* page = new LinkLabel(this);
    page->setObjectName("Label4");
    page->setText("Click Here To Visit Now");
    layout->addWidget(page);
    layout->addWidget(plainLabel("Our support email:", "Label2", this));
    auto* mail = new LinkLabel(this);
    mail->setObjectName("Label5");
    mail->setText("Click here to send us an e-mail at " +
                  QString::fromUtf8(kSupportMailbox.data(), kSupportMailbox.size()));
    layout->addWidget(mail);
    connect(page, &LinkLabel::clicked, this, [this] { m_logic.supportPageClicked(); });
    connect(mail, &LinkLabel::clicked, this, [this] { m_logic.mailClicked(); });
    m_logic.formLoad();
}

} // namespace kelvo
