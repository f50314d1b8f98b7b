#include "ui/delete_command_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvo {

DeleteCommandWindow::DeleteCommandWindow(CustomCommandEditor& editor, CommandLists& lists,
                                         const CatalogueFiles& files, CustomCommandHooks& hooks,
                                         MessageBoxes& boxes)
    : DialogWindow(kName, nullptr), m_logic(*this, editor, lists, files, hooks, boxes) {
    auto* layout = new QVBoxLayout(this);
    m_question = plainLabel(QString(), "Label1", this);
    layout->addWidget(m_question);
    auto* buttons = new QHBoxLayout;
    auto* yes = new QPushButton("&Yes", this);
    yes->setObjectName("cmdYes");
    auto* no = new QPushButton("&No", this);
    no->setObjectName("cmdNo");
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addWidget(no);
    layout->addLayout(buttons);
    connect(yes, &QPushButton::clicked, this, [this] { m_logic.yesClicked(); });
    connect(no, &QPushButton::clicked, this, [this] { m_logic.noClicked(); });
    resize(400, 120);
}

void DeleteCommandWindow::setQuestion(const std::string& question) {
    m_question->setText(QString::fromStdString(question));
}

} // namespace kelvo
