#include "ui/splash_window.h"

#include <QCheckBox>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace kelvo {

SplashWindow::SplashWindow(const std::filesystem::path& dataFolder, ErrorSink& errors)
    : DialogWindow(kName, nullptr), m_logic(*this, dataFolder, errors) {
    auto* layout = new QVBoxLayout(this);
    m_page = new QTextBrowser(this);
    m_page->setObjectName("WebBrowser1");
    // Local pages only; a link in them opens nothing.
    m_page->setOpenLinks(false);
    layout->addWidget(m_page, 1);
    auto* doNotShow = new QCheckBox("Do Not Show This Screen Again", this);
    doNotShow->setObjectName("ckSplash");
    layout->addWidget(doNotShow);
    // clicked() comes from the user only.
    connect(doNotShow, &QCheckBox::clicked, this,
            [this](bool ticked) { m_logic.doNotShowClicked(ticked); });
    resize(480, 400);
}

void SplashWindow::showPage(const std::string& html, const std::filesystem::path& folder) {
    m_page->document()->setBaseUrl(
        QUrl::fromLocalFile(QString::fromStdString(folder.string() + "/")));
    m_page->setHtml(QString::fromStdString(html));
}

} // namespace kelvo
