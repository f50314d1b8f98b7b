#include "ui/training_notice_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace kelvo {

TrainingNoticeWindow::TrainingNoticeWindow(TrainingNoticeServices services)
    : m_logic(*this, std::move(services)) {
    setObjectName("frmTrain");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(420, 160);
    auto* layout = new QVBoxLayout(this);
    m_question = new QLabel(this);
    m_question->setObjectName("lblQuestion");
    QFont bold = m_question->font();
    bold.setBold(true);
    m_question->setFont(bold);
    m_explanation = new QLabel(this);
    m_explanation->setObjectName("lblExplanation");
    m_explanation->setWordWrap(true);
    layout->addWidget(m_question);
    layout->addWidget(m_explanation, 1);
    m_timer = new QTimer(this);
    m_timer->setObjectName("Timer1");
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] { m_logic.timerFired(); });
    m_logic.open();
}

void TrainingNoticeWindow::setCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void TrainingNoticeWindow::setTexts(const std::string& question, const std::string& explanation) {
    m_question->setText(QString::fromStdString(question));
    m_explanation->setText(QString::fromStdString(explanation));
}

void TrainingNoticeWindow::startTimer(int milliseconds) {
    m_timer->start(milliseconds);
}

void TrainingNoticeWindow::stopTimer() {
    m_timer->stop();
}

void TrainingNoticeWindow::closeWindow() {
    close();
}

void TrainingNoticeWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    m_logic.closed();
}

} // namespace kelvo
