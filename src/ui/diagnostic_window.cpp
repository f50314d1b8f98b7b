#include "ui/diagnostic_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace kelvo {

DiagnosticWindow::DiagnosticWindow(DiagnosticList& feedback) : m_logic(*this, feedback) {
    setObjectName("frmdebug");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(720, 420);
    auto* layout = new QGridLayout(this);
    m_engine = new QListWidget(this);
    m_engine->setObjectName("List1");
    m_feedback = new QListWidget(this);
    m_feedback->setObjectName("List2");
    auto* resetEngine = new QPushButton("Reset Engine List", this);
    resetEngine->setObjectName("Command1");
    auto* resetFeedback = new QPushButton("Reset Feedback List", this);
    resetFeedback->setObjectName("Command15");
    layout->addWidget(new QLabel("Engine Info", this), 0, 0);
    layout->addWidget(new QLabel("Recognition Feedback", this), 0, 1);
    layout->addWidget(m_engine, 1, 0);
    layout->addWidget(m_feedback, 1, 1);
    layout->addWidget(resetEngine, 2, 0);
    layout->addWidget(resetFeedback, 2, 1);
    connect(resetEngine, &QPushButton::clicked, this, [this] { m_logic.resetEngineList(); });
    connect(resetFeedback, &QPushButton::clicked, this, [this] { m_logic.resetFeedbackList(); });
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] { m_logic.refresh(); });
    timer->start(1000);
    m_logic.open();
}

void DiagnosticWindow::setCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void DiagnosticWindow::showLines(List list, const std::deque<std::string>& lines) {
    QListWidget* widget = list == List::Engine ? m_engine : m_feedback;
    widget->clear();
    for (const std::string& line : lines) {
        widget->addItem(QString::fromStdString(line));
    }
    widget->scrollToBottom();
}

} // namespace kelvo
