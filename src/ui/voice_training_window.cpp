#include "ui/voice_training_window.h"

#include "windows/voice_training_logic.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace kelvo {

VoiceTrainingWindow::VoiceTrainingWindow() {
    setObjectName("frmVoiceTraining");
    setModal(true);
    resize(560, 400);
    auto* layout = new QVBoxLayout(this);
    m_heading = new QLabel(this);
    m_heading->setObjectName("lblPassage");
    m_passage = new QTextEdit(this);
    m_passage->setObjectName("txtPassage");
    m_passage->setReadOnly(true);
    QFont large = m_passage->font();
    large.setPointSize(large.pointSize() + 3);
    m_passage->setFont(large);
    m_level = new QProgressBar(this);
    m_level->setObjectName("barLevel");
    m_level->setTextVisible(false);
    m_level->setMaximumHeight(10);
    m_status = new QLabel(this);
    m_status->setObjectName("lblStatus");
    m_status->setWordWrap(true);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName("barTraining");
    layout->addWidget(m_heading);
    layout->addWidget(m_passage, 1);
    layout->addWidget(m_level);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    auto* row = new QHBoxLayout;
    const std::pair<Button, const char*> buttons[] = {{Button::Record, "&Record"},
                                                      {Button::Stop, "&Stop"},
                                                      {Button::Finish, "&Train Now"},
                                                      {Button::Cancel, "&Cancel"},
                                                      {Button::Close, "C&lose"}};
    for (const auto& [button, caption] : buttons) {
        auto* push = new QPushButton(caption, this);
        push->setAutoDefault(false);
        row->addWidget(push);
        m_buttons[button] = push;
        connect(push, &QPushButton::clicked, this, [this, button = button] {
            if (!m_logic) {
                return;
            }
            switch (button) {
            case Button::Record:
                m_logic->clickRecord();
                break;
            case Button::Stop:
                m_logic->clickStop();
                break;
            case Button::Finish:
                m_logic->clickFinish();
                break;
            case Button::Cancel:
                m_logic->clickCancel();
                break;
            case Button::Close:
                m_logic->clickClose();
                break;
            }
        });
    }
    m_buttons[Button::Record]->setObjectName("cmdRecord");
    m_buttons[Button::Stop]->setObjectName("cmdStop");
    m_buttons[Button::Finish]->setObjectName("cmdTrainNow");
    m_buttons[Button::Cancel]->setObjectName("cmdCancel");
    m_buttons[Button::Close]->setObjectName("cmdClose");
    layout->addLayout(row);
}

void VoiceTrainingWindow::setTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

void VoiceTrainingWindow::setPassage(const std::string& heading, const std::string& text) {
    m_heading->setText(QString::fromStdString(heading));
    m_passage->setPlainText(QString::fromStdString(text));
}

void VoiceTrainingWindow::setStatus(const std::string& text) {
    m_status->setText(QString::fromStdString(text));
}

void VoiceTrainingWindow::setProgress(int percent) {
    m_progress->setVisible(percent >= 0);
    m_progress->setValue(percent < 0 ? 0 : percent);
}

void VoiceTrainingWindow::setLevel(double level) {
    m_level->setValue(static_cast<int>(level * 100));
}

void VoiceTrainingWindow::setButtonEnabled(Button button, bool enabled) {
    m_buttons[button]->setEnabled(enabled);
}

void VoiceTrainingWindow::closeWindow() {
    m_closing = true;
    done(QDialog::Accepted);
}

void VoiceTrainingWindow::reject() {
    // Escape and the title bar's close stop what runs first.
    if (m_logic && !m_closing) {
        m_logic->closing();
    }
    QDialog::reject();
}

} // namespace kelvo
