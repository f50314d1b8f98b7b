#include "ui/custom_edit_window.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelvo {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QPushButton* button(const QString& caption, const char* name, QWidget* parent) {
    auto* pushButton = new QPushButton(caption, parent);
    pushButton->setObjectName(name);
    pushButton->setAutoDefault(false);
    return pushButton;
}

// One numbered step: its number label, its heading label, then its controls.
QGridLayout* addStep(QVBoxLayout* layout, QWidget* parent, const char* numberName,
                     const QString& number, const char* headingName, const QString& heading) {
    auto* grid = new QGridLayout;
    QLabel* numberLabel = plainLabel(number, numberName, parent);
    QFont bold = numberLabel->font();
    bold.setBold(true);
    numberLabel->setFont(bold);
    numberLabel->setWordWrap(false);
    grid->addWidget(numberLabel, 0, 0);
    grid->addWidget(plainLabel(heading, headingName, parent), 0, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    return grid;
}

} // namespace

CustomEditWindow::CustomEditWindow(QWidget* parent, CustomCommandEditor& editor,
                                   MessageBoxes& boxes)
    : DialogWindow(kName, parent), m_logic(*this, editor, boxes) {
    setWindowTitle("Add/Edit Custom Command");
    auto* layout = new QVBoxLayout(this);
    m_new =
        plainLabel("Follow the steps below to create a new Custom Voice Command.", "lblNew", this);
    m_edit = plainLabel("Follow steps 2-4 below to edit the program or website that the command "
                        "triggers. ",
                        "lblEdit", this);
    layout->addWidget(m_new);
    layout->addWidget(m_edit);

    QGridLayout* step1 = addStep(layout, this, "Label6", "Step 1:", "Label1",
                                 "Type the trigger words you will say:");
    m_phrase = new QLineEdit(this);
    m_phrase->setObjectName("txtCommand");
    m_phrase->setToolTip("kelvo will listen for the word or words that you type here");
    m_phrasePalette = m_phrase->palette();
    step1->addWidget(m_phrase, 1, 1);
    step1->addWidget(
        plainLabel("Note:  With trigger words that include acronyms, include spaces between the "
                   "letters of the acronym.  For example, the command \"go abc\" should be type in "
                   "as go a b c.",
                   "Label7", this),
        2, 1);

    QGridLayout* step2 =
        addStep(layout, this, "Label10", "Step 2:", "Label2", "Select what happens:");
    m_runProgram = new QRadioButton("Run a program", this);
    m_runProgram->setObjectName("Option1");
    m_goToWebsite = new QRadioButton("Go to a website", this);
    m_goToWebsite->setObjectName("Option2");
    auto* choices = new QButtonGroup(this);
    choices->addButton(m_runProgram);
    choices->addButton(m_goToWebsite);
    step2->addWidget(m_runProgram, 1, 1);
    step2->addWidget(m_goToWebsite, 2, 1);

    QGridLayout* step3 =
        addStep(layout, this, "Label9", "Step 3:", "Label4", "Which program or website opens:");
    m_target = new QLineEdit("http://", this);
    m_target->setObjectName("txtWebsite");
    m_browse = button("Select A Program", "cmdBrowse", this);
    m_browse->setToolTip("If you selected \"Run A Program\" in the previous step, then click here "
                         "to select which program to open");
    auto* targetRow = new QHBoxLayout;
    targetRow->addWidget(m_target, 1);
    targetRow->addWidget(m_browse);
    step3->addLayout(targetRow, 1, 1);

    QGridLayout* step4 = addStep(layout, this, "Label8", "Step 4:", "Label5", "Save the command:");
    auto* buttons = new QHBoxLayout;
    QPushButton* save = button("Save", "cmdSaveClose", this);
    QPushButton* cancel = button("Cancel", "cmdCancel", this);
    // Nothing is bound to it, so it is not offered.
    QPushButton* unused = button("Delete", "cmdDelete", this);
    unused->hide();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    buttons->addStretch();
    step4->addLayout(buttons, 1, 1);

    layout->addWidget(plainLabel("Note:  The only way to edit the trigger words once the custom "
                                 "command has been saved is to delete the custom command and "
                                 "then recreate it with new trigger words.",
                                 "Label3", this));

    connect(m_runProgram, &QRadioButton::clicked, this, [this] { m_logic.runProgramClicked(); });
    connect(m_goToWebsite, &QRadioButton::clicked, this, [this] { m_logic.goToWebsiteClicked(); });
    connect(m_browse, &QPushButton::clicked, this, [this] { m_logic.browseClicked(); });
    connect(save, &QPushButton::clicked, this, [this] { m_logic.saveClicked(); });
    connect(cancel, &QPushButton::clicked, this, [this] { m_logic.cancelClicked(); });
    resize(520, sizeHint().height());
}

void CustomEditWindow::setModeLabelVisible(EditModeLabel label, bool visible) {
    (label == EditModeLabel::New ? m_new : m_edit)->setVisible(visible);
}

void CustomEditWindow::setPhrase(const std::string& phrase) {
    m_phrase->setText(qs(phrase));
}

std::string CustomEditWindow::phrase() const {
    return m_phrase->text().toStdString();
}

void CustomEditWindow::setPhraseLocked(bool locked) {
    m_phrase->setReadOnly(locked);
    // A locked box takes the button face's colour, as a label would.
    QPalette palette = m_phrasePalette;
    if (locked) {
        palette.setBrush(QPalette::Base, palette.button());
    }
    m_phrase->setPalette(palette);
}

void CustomEditWindow::setTarget(const std::string& target) {
    m_target->setText(qs(target));
}

std::string CustomEditWindow::target() const {
    return m_target->text().toStdString();
}

void CustomEditWindow::setTargetEnabled(bool enabled) {
    m_target->setEnabled(enabled);
}

void CustomEditWindow::setChoice(TargetChoice choice) {
    (choice == TargetChoice::RunProgram ? m_runProgram : m_goToWebsite)->setChecked(true);
}

void CustomEditWindow::setBrowseEnabled(bool enabled) {
    m_browse->setEnabled(enabled);
}

std::optional<std::filesystem::path> CustomEditWindow::chooseProgramFile() {
    const QString file = QFileDialog::getOpenFileName(this, "Select A Program");
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(file.toStdString());
}

} // namespace kelvo
