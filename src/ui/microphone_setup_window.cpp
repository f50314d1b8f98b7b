#include "ui/microphone_setup_window.h"

#include "windows/microphone_setup_logic.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvo {

MicrophoneSetupWindow::MicrophoneSetupWindow() {
    setObjectName("frmMicrophoneSetup");
    setModal(true);
    resize(480, 260);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Microphone:", this));
    m_sources = new QComboBox(this);
    m_sources->setObjectName("cboMicrophone");
    layout->addWidget(m_sources);
    m_level = new QProgressBar(this);
    m_level->setObjectName("barLevel");
    m_level->setTextVisible(false);
    layout->addWidget(m_level);
    m_phrase = new QLabel(this);
    m_phrase->setObjectName("lblTestPhrase");
    layout->addWidget(m_phrase);
    m_status = new QLabel(this);
    m_status->setObjectName("lblStatus");
    m_status->setWordWrap(true);
    layout->addWidget(m_status, 1);
    auto* row = new QHBoxLayout;
    const std::pair<Button, const char*> buttons[] = {
        {Button::Test, "&Test"}, {Button::Save, "&Save"}, {Button::Cancel, "&Cancel"}};
    for (const auto& [button, caption] : buttons) {
        auto* push = new QPushButton(caption, this);
        push->setAutoDefault(false);
        row->addWidget(push);
        m_buttons[button] = push;
        connect(push, &QPushButton::clicked, this, [this, button = button] {
            if (!m_logic) {
                return;
            }
            if (button == Button::Test) {
                m_logic->clickTest();
            } else if (button == Button::Save) {
                m_logic->clickSave();
            } else {
                m_logic->clickCancel();
            }
        });
    }
    m_buttons[Button::Test]->setObjectName("cmdTest");
    m_buttons[Button::Save]->setObjectName("cmdSave");
    m_buttons[Button::Cancel]->setObjectName("cmdCancel");
    layout->addLayout(row);
    connect(m_sources, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_logic && !m_filling) {
            m_logic->selectSource(index);
        }
    });
}

void MicrophoneSetupWindow::setTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

void MicrophoneSetupWindow::setSources(const std::vector<std::string>& names, int selected) {
    m_filling = true;
    m_sources->clear();
    for (const std::string& name : names) {
        m_sources->addItem(QString::fromStdString(name));
    }
    m_sources->setCurrentIndex(selected);
    m_filling = false;
}

void MicrophoneSetupWindow::setLevel(double level) {
    m_level->setValue(static_cast<int>(level * 100));
}

void MicrophoneSetupWindow::setTestPhrase(const std::string& phrase) {
    m_phrase->setText(QString::fromStdString("Test phrase: \"" + phrase + "\""));
}

void MicrophoneSetupWindow::setStatus(const std::string& text) {
    m_status->setText(QString::fromStdString(text));
}

void MicrophoneSetupWindow::setButtonEnabled(Button button, bool enabled) {
    m_buttons[button]->setEnabled(enabled);
}

void MicrophoneSetupWindow::closeWindow() {
    m_closing = true;
    done(QDialog::Accepted);
}

void MicrophoneSetupWindow::reject() {
    if (m_logic && !m_closing) {
        m_logic->closing();
    }
    QDialog::reject();
}

} // namespace kelvo
