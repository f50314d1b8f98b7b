#include "ui/about_window.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvo {

AboutWindow::AboutWindow(WindowRegistry& windows)
    : DialogWindow(kName, nullptr), m_logic(*this, windows) {
    auto* layout = new QVBoxLayout(this);
    m_legal = new QPlainTextEdit(this);
    m_legal->setObjectName("txtLegal");
    m_legal->setReadOnly(true);
    layout->addWidget(m_legal, 1);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    m_systemInfo = new QPushButton("&System Info...", this);
    m_systemInfo->setObjectName("cmdSysInfo");
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(m_systemInfo);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { m_logic.okClicked(); });
    resize(520, 440);
    m_logic.formLoad();
}

void AboutWindow::setLegalText(const std::string& text) {
    m_legal->setPlainText(QString::fromStdString(text));
}

void AboutWindow::setSystemInfoEnabled(bool enabled) {
    m_systemInfo->setEnabled(enabled);
}

} // namespace kelvo
