#include "ui/update_window.h"

#include "ui/kelvo_icons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace kelvo {

UpdateWindow::UpdateWindow() {
    setObjectName("frmUpdate");
    setWindowTitle("kelvo");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* picture = new QLabel(this);
    picture->setObjectName("Picture1");
    picture->setPixmap(listeningPixmap(false, false, 48));
    m_message = new QLabel(this);
    m_message->setObjectName("lblMsg");
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName("prgUpdate");
    m_progress->setRange(0, 100);
    auto* text = new QVBoxLayout;
    text->addWidget(m_message);
    text->addWidget(m_progress);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picture);
    layout->addLayout(text, 1);
    setMinimumWidth(380);
}

void UpdateWindow::showWindow() {
    show();
    raise();
}

void UpdateWindow::setMessage(const std::string& message) {
    m_message->setText(QString::fromStdString(message));
    // The update works between pumps: the new text shows at once.
    m_message->repaint();
}

void UpdateWindow::setProgress(int percent) {
    m_progress->setValue(percent);
    m_progress->repaint();
}

void UpdateWindow::closeWindow() {
    hide();
}

} // namespace kelvo
