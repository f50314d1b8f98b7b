#include "ui/create_profile_wizard_window.h"

#include "ui/link_label.h"
#include "ui/profile_window_parts.h"
#include "ui/qt_window_registry.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvo {

namespace text = create_profile_text;

CreateProfileWizardWindow::CreateProfileWizardWindow(const ProfileWizardServices& services)
    : m_logic(*this, services) {
    setUpProfileWindow(this, "frmCreateProfile", text::kCaption);
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_title = titleLabel(this, "lblTitle");
    top->addWidget(m_title, 1);
    m_help = new LinkLabel(this);
    m_help->setObjectName("pctHelp");
    m_help->setText("?");
    m_help->setAlignment(Qt::AlignCenter);
    m_help->setFixedSize(32, 32);
    m_help->installEventFilter(this);
    top->addWidget(m_help);
    outer->addLayout(top);

    const char* stepNames[] = {"fmtitle1", "fmtitle2", "fmtitle3"};
    const char* stepTexts[] = {"Introduction", text::kNameHeading, text::kConfigureHeading};
    for (int i = 0; i < 3; ++i) {
        m_stepTitles[i] = titleLabel(this, stepNames[i], stepTexts[i]);
        outer->addWidget(m_stepTitles[i]);
    }

    auto* intro = new QWidget(this);
    intro->setObjectName("fm0");
    auto* introLayout = new QVBoxLayout(intro);
    for (const char* line : text::kIntroduction)
        introLayout->addWidget(plainLabel(intro, QString(), line));

    auto* name = new QWidget(this);
    name->setObjectName("fm1");
    auto* nameLayout = new QVBoxLayout(name);
    nameLayout->addWidget(plainLabel(name, QString(), text::kNameHelp));
    m_name = new QLineEdit(name);
    m_name->setObjectName("txtProfileName");
    nameLayout->addWidget(m_name);
    nameLayout->addWidget(plainLabel(name, QString(), text::kNameNext));

    auto* configure = new QWidget(this);
    configure->setObjectName("fm2");
    auto* configureLayout = new QVBoxLayout(configure);
    configureLayout->addWidget(plainLabel(configure, QString(), text::kConfigureQuestion));
    auto* row = new QHBoxLayout;
    m_default = new QCheckBox(configure);
    m_default->setObjectName("ckDefault");
    row->addWidget(m_default);
    auto* label15 = new LinkLabel(configure);
    label15->setObjectName("Label15");
    label15->setText(text::kDefaultLabel);
    row->addWidget(label15);
    row->addStretch(1);
    configureLayout->addLayout(row);
    configureLayout->addWidget(plainLabel(configure, QString(), text::kConfigureNext));

    m_frames = {intro, name, configure};
    for (QWidget* frame : m_frames)
        outer->addWidget(frame);
    outer->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_button = new QPushButton(this);
    m_button->setObjectName("cmdCreateProfile");
    m_button->setDefault(true);
    buttons->addWidget(m_button);
    outer->addLayout(buttons);

    connect(m_button, &QPushButton::clicked, this, [this] { m_logic.buttonClicked(); });
    connect(m_name, &QLineEdit::returnPressed, this, [this] { m_logic.buttonClicked(); });
    connect(label15, &LinkLabel::clicked, this, [this] { m_logic.defaultLabelClicked(); });
    connect(static_cast<LinkLabel*>(m_help), &LinkLabel::clicked, this,
            [this] { m_logic.helpClicked(); });
    m_logic.formLoad();
}

void CreateProfileWizardWindow::setTitle(const std::string& text) {
    m_title->setText(qtext(text));
}

void CreateProfileWizardWindow::setFrameVisible(CreateProfileFrame frame, bool visible) {
    m_frames[static_cast<std::size_t>(frame)]->setVisible(visible);
    // Typing goes straight into the name box once its step shows.
    if (frame == CreateProfileFrame::Name && visible)
        m_name->setFocus();
}

void CreateProfileWizardWindow::setStepTitleVisible(int step, bool visible) {
    if (step >= 1 && step <= 3)
        m_stepTitles[static_cast<std::size_t>(step - 1)]->setVisible(visible);
}

void CreateProfileWizardWindow::setButtonCaption(const std::string& text) {
    m_button->setText(qtext(text));
}

std::string CreateProfileWizardWindow::profileName() const {
    return m_name->text().toStdString();
}

void CreateProfileWizardWindow::setProfileName(const std::string& name) {
    m_name->setText(qtext(name));
}

bool CreateProfileWizardWindow::makeDefaultChecked() const {
    return m_default->isChecked();
}

void CreateProfileWizardWindow::setMakeDefaultChecked(bool checked) {
    m_default->setChecked(checked);
}

void CreateProfileWizardWindow::setHelpImage(int image) {
    m_help->setStyleSheet(image == 2 ? "QLabel { border: 2px solid palette(highlight); "
                                       "border-radius: 16px; font-weight: bold; }"
                                     : "QLabel { border: 1px solid palette(mid); "
                                       "border-radius: 16px; font-weight: bold; }");
}

void CreateProfileWizardWindow::closeWindow() {
    close();
}

void CreateProfileWizardWindow::closeEvent(QCloseEvent* event) {
    if (!m_logic.mayClose()) {
        event->ignore();
        return;
    }
    m_logic.formUnload();
    event->accept();
}

bool CreateProfileWizardWindow::event(QEvent* event) {
    if (event->type() == windowAskedAgainEvent()) {
        m_logic.startOver();
        comeToFront(this);
        return true;
    }
    return QWidget::event(event);
}

bool CreateProfileWizardWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_help && event->type() == QEvent::Enter)
        m_logic.helpHovered();
    else if (watched == m_help && event->type() == QEvent::Leave)
        m_logic.backdropHovered();
    return QWidget::eventFilter(watched, event);
}

} // namespace kelvo
