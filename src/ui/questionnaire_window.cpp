#include "ui/questionnaire_window.h"

#include "windows/questionnaire_logic.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kelvo {

namespace {

QLabel* textLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    return label;
}

} // namespace

QuestionnaireWindow::QuestionnaireWindow() {
    setObjectName("frmTakeSurvey");
    setWindowTitle("Scientific Survey");
    setWindowFlag(Qt::Dialog);
    QFont verdana("Verdana");
    setFont(verdana);
    auto* layout = new QVBoxLayout(this);
    QLabel* question =
        textLabel("Label1", "Would you like to help out by taking the questionnaire?", this);
    QFont bold = question->font();
    bold.setBold(true);
    question->setFont(bold);
    layout->addWidget(question);
    layout->addWidget(textLabel(
        "Label2",
        "We are conducting a scientific study researching hand and wrist pain and it's possible "
        "relationship to using a computer mouse. We created four very short questionnaires that "
        "you will fill out over the course of three months.",
        this));
    layout->addWidget(textLabel(
        "Label3",
        "Each of the four questionnaire consists of some easy to answer multiple choice "
        "questions about hand pain and your computer mouse. It will only take you 5 minutes to "
        "complete. You will also have the chance to send us any additional comments you may "
        "have. Your completion of all four questionnaires is critical to our scientific results.",
        this));
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto [name, caption] : {std::pair{"cmdYes", "&Yes"}, std::pair{"cmdLater", "&Later"},
                                 std::pair{"cmdNever", "&Never"}}) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, name = std::string(name)] {
            if (!m_logic) {
                return;
            }
            if (name == "cmdYes") {
                m_logic->yesClicked();
            } else if (name == "cmdLater") {
                m_logic->laterClicked();
            } else {
                m_logic->neverClicked();
            }
        });
    }
    layout->addLayout(buttons);
    m_timer = new QTimer(this);
    m_timer->setObjectName("Timer1");
    m_timer->setInterval(kQuestionnaireTimerMs);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (m_logic) {
            m_logic->timerTicked();
        }
    });
    resize(520, 300);
}

void QuestionnaireWindow::showPrompt() {
    if (!isVisible()) {
        m_timer->start();
    }
    show();
    raise();
    activateWindow();
}

void QuestionnaireWindow::closePrompt() {
    m_timer->stop();
    hide();
}

void QuestionnaireWindow::closeEvent(QCloseEvent* event) {
    // Closed by its window button: the same as Later, so a quit it holds
    // is never lost.
    event->accept();
    m_timer->stop();
    if (m_logic) {
        m_logic->laterClicked();
    }
}

} // namespace kelvo
