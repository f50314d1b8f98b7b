#include "ui/bookmark_phrase_editor_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvo {

namespace {

QLabel* plainLabel(const QString& text, QWidget* parent, const QString& name = {}) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setObjectName(name);
    return label;
}

} // namespace

BookmarkPhraseEditorWindow::BookmarkPhraseEditorWindow(MessageBoxes& boxes, SaveCustomCommand save,
                                                       QWidget* parent)
    : QDialog(parent), m_logic(*this, boxes, std::move(save)) {
    setObjectName("frmCustomEditBookmark");
    setWindowTitle("Create a Custom Speech Command From a Bookmark");
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* details = new QFormLayout;
    m_website = plainLabel({}, this, "lblWebsite");
    m_source = plainLabel({}, this, "lblSource");
    m_description = plainLabel({}, this, "lblDescription");
    details->addRow("Website:", m_website);
    details->addRow("Source:", m_source);
    details->addRow("Description:", m_description);
    layout->addLayout(details);
    layout->addWidget(plainLabel("Step 1:", this));
    layout->addWidget(plainLabel("Type the speech command you will say:", this));
    m_phrase = new QLineEdit(this);
    m_phrase->setObjectName("txtCommand");
    layout->addWidget(m_phrase);
    layout->addWidget(plainLabel("Type an acronym with a blank between its letters, such as "
                                 "\"c n n\".",
                                 this));
    layout->addWidget(plainLabel("Step 2:", this));
    auto* buttons = new QHBoxLayout;
    auto* saveButton = new QPushButton("Save", this);
    saveButton->setObjectName("cmdSaveClose");
    saveButton->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cmdCancel");
    buttons->addWidget(saveButton);
    buttons->addWidget(cancel);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addWidget(plainLabel(
        "Note:  Once a speech command for a bookmark has been created, it cannot be edited.  You "
        "can delete the speech command and create a different one.",
        this));

    connect(saveButton, &QPushButton::clicked, this, [this] { m_logic.saveClicked(); });
    connect(cancel, &QPushButton::clicked, this, [this] { m_logic.cancelClicked(); });
}

void BookmarkPhraseEditorWindow::setBookmark(const std::string& website, const std::string& source,
                                             const std::string& description) {
    m_website->setText(QString::fromStdString(website));
    m_source->setText(QString::fromStdString(source));
    m_description->setText(QString::fromStdString(description));
}

std::string BookmarkPhraseEditorWindow::phraseText() const {
    return m_phrase->text().toStdString();
}

void BookmarkPhraseEditorWindow::closeEditor() {
    accept();
}

} // namespace kelvo
