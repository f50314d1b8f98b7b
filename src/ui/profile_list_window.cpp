#include "ui/profile_list_window.h"

#include "ui/link_label.h"
#include "ui/profile_window_parts.h"
#include "ui/qt_window_registry.h"
#include "windows/select_profile_wizard_logic.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace kelvo {

ProfileListWindow::ProfileListWindow(const QString& objectName, const char* listLabel,
                                     const char* listName, const char* buttonName,
                                     const char* createName) {
    setUpProfileWindow(this, objectName, QString());
    m_outer = new QVBoxLayout(this);
    m_title = titleLabel(this, "lblTitle");
    m_outer->addWidget(m_title);
    m_instructions = plainLabel(this, "lblInstructions");
    m_outer->addWidget(m_instructions);

    m_listFrame = new QWidget(this);
    auto* listLayout = new QVBoxLayout(m_listFrame);
    listLayout->addWidget(plainLabel(m_listFrame, QString(), listLabel));
    m_list = new QListWidget(m_listFrame);
    m_list->setObjectName(listName);
    listLayout->addWidget(m_list);
    auto* createRow = new QHBoxLayout;
    QLabel* createInstead = plainLabel(m_listFrame, QString(), select_profile_text::kCreateInstead);
    createInstead->setWordWrap(false);
    createRow->addWidget(createInstead);
    m_create = new LinkLabel(m_listFrame);
    m_create->setObjectName(createName);
    m_create->setText(select_profile_text::kCreateLink);
    createRow->addWidget(m_create);
    createRow->addStretch(1);
    listLayout->addLayout(createRow);
    m_outer->addWidget(m_listFrame);

    m_body = new QVBoxLayout;
    m_outer->addLayout(m_body);

    m_button = new QPushButton(this);
    m_button->setObjectName(buttonName);
    m_button->setDefault(true);
}

void ProfileListWindow::addProfileFrames(const char* defaultHeading) {
    m_currentFrame = new QWidget(this);
    m_currentFrame->setObjectName("fmCurrent");
    auto* current = new QVBoxLayout(m_currentFrame);
    current->addWidget(plainLabel(m_currentFrame, QString(), select_profile_text::kCurrentHeading));
    m_current = plainLabel(m_currentFrame, "lblCurrentProfiile2");
    current->addWidget(m_current);
    m_outer->addWidget(m_currentFrame);

    m_defaultFrame = new QWidget(this);
    m_defaultFrame->setObjectName("fmDefault");
    auto* byDefault = new QVBoxLayout(m_defaultFrame);
    byDefault->addWidget(plainLabel(m_defaultFrame, QString(), defaultHeading));
    m_default = plainLabel(m_defaultFrame, "lblDefaultProfiles2");
    byDefault->addWidget(m_default);
    m_outer->addWidget(m_defaultFrame);

    m_outer->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_button);
    m_outer->addLayout(buttons);
}

void ProfileListWindow::setCaption(const std::string& text) {
    setWindowTitle(qtext(text));
}

std::string ProfileListWindow::caption() const {
    return windowTitle().toStdString();
}

void ProfileListWindow::setTitle(const std::string& text) {
    m_title->setText(qtext(text));
}

void ProfileListWindow::setInstructions(const std::string& text) {
    m_instructions->setText(qtext(text));
}

void ProfileListWindow::setButtonCaption(const std::string& text) {
    m_button->setText(qtext(text));
}

void ProfileListWindow::setProfiles(const std::vector<std::string>& names) {
    m_list->clear();
    for (const auto& name : names)
        m_list->addItem(qtext(name));
    m_list->setCurrentRow(-1);
}

std::string ProfileListWindow::selectedProfile() const {
    const auto selected = m_list->selectedItems();
    return selected.isEmpty() ? std::string() : selected.front()->text().toStdString();
}

void ProfileListWindow::setCurrentProfileText(const std::string& text) {
    m_current->setText(qtext(text));
}

void ProfileListWindow::setDefaultProfileText(const std::string& text) {
    m_default->setText(qtext(text));
}

void ProfileListWindow::closeWindow() {
    close();
}

void ProfileListWindow::hideEvent(QHideEvent* event) {
    // A minimised window comes back as it was; one the program hid does not.
    if (!event->spontaneous()) {
        m_hidden = true;
    }
    QWidget::hideEvent(event);
}

void ProfileListWindow::showEvent(QShowEvent* event) {
    if (m_hidden && !event->spontaneous() && m_startOver) {
        m_startOver();
    }
    m_hidden = false;
    QWidget::showEvent(event);
}

bool ProfileListWindow::event(QEvent* event) {
    if (event->type() == windowAskedAgainEvent()) {
        if (m_startOver)
            m_startOver();
        comeToFront(this);
        return true;
    }
    return QWidget::event(event);
}

void ProfileListWindow::closeEvent(QCloseEvent* event) {
    if (m_mayClose && !m_mayClose()) {
        event->ignore();
        return;
    }
    if (m_onClose)
        m_onClose();
    event->accept();
}

} // namespace kelvo
