#include "ui/profile_properties_window.h"

#include "ui/profile_window_parts.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvo {

namespace text = profile_properties_text;

ProfilePropertiesWindow::ProfilePropertiesWindow(const ProfileWizardServices& services)
    : m_logic(*this, services) {
    setUpProfileWindow(this, "frmProfileProperties", text::kCaption);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(titleLabel(this, "lblTitle", text::kTitle));
    auto frame = [this, outer](const char* heading, QLabel*& value, const char* name) {
        auto* box = new QGroupBox(this);
        auto* layout = new QVBoxLayout(box);
        layout->addWidget(plainLabel(box, QString(), heading));
        value = plainLabel(box, name);
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
        layout->addWidget(value);
        outer->addWidget(box);
    };
    frame(text::kDefaultHeading, m_default, "lblDefaultProfiles");
    frame(text::kCurrentHeading, m_current, "lblCurrentProfiile");
    outer->addWidget(plainLabel(this, QString(), text::kWhereToChange));
    outer->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* change = new QPushButton("Change Settings", this);
    change->setObjectName("Command2");
    auto* closeButton = new QPushButton("Close", this);
    closeButton->setObjectName("Command1");
    closeButton->setDefault(true);
    buttons->addWidget(change);
    buttons->addWidget(closeButton);
    outer->addLayout(buttons);
    connect(change, &QPushButton::clicked, this, [this] { m_logic.changeSettingsClicked(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { m_logic.closeClicked(); });
    m_logic.formLoad();
}

void ProfilePropertiesWindow::setDefaultProfileText(const std::string& text) {
    m_default->setText(qtext(text));
}

void ProfilePropertiesWindow::setCurrentProfileText(const std::string& text) {
    m_current->setText(qtext(text));
}

void ProfilePropertiesWindow::closeWindow() {
    close();
}

void ProfilePropertiesWindow::closeEvent(QCloseEvent* event) {
    m_logic.formUnload();
    event->accept();
}

} // namespace kelvo
