#include "ui/box_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvo {

BoxWindow::BoxWindow(const QString& objectName, BoxPicture picture, bool withButtons) {
    setObjectName(objectName);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMinimumWidth(360);

    auto* outer = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_picture = new QLabel(this);
    m_picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    setPicture(picture);
    row->addWidget(m_picture);
    m_body = new QVBoxLayout;
    row->addLayout(m_body, 1);
    row->setSpacing(16);
    outer->addLayout(row);

    if (!withButtons) {
        return;
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_yes = new QPushButton(tr("&Yes"), this);
    m_yes->setObjectName("cmdYes");
    m_no = new QPushButton(tr("&No"), this);
    m_no->setObjectName("cmdNo");
    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName("cmdOK");
    for (QPushButton* button : {m_yes, m_no, m_ok}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    outer->addLayout(buttons);
    connect(m_yes, &QPushButton::clicked, this, [this] { answer(BoxButton::Yes); });
    connect(m_no, &QPushButton::clicked, this, [this] { answer(BoxButton::No); });
    connect(m_ok, &QPushButton::clicked, this, [this] { answer(BoxButton::Ok); });
}

void BoxWindow::setAnswerHandler(AnswerHandler handler) {
    m_onAnswer = std::move(handler);
}

QLabel* BoxWindow::addPlainLabel(const QString& objectName) {
    auto* label = new QLabel(this);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_body->addWidget(label);
    return label;
}

void BoxWindow::setPicture(BoxPicture picture) {
    m_picture->setPixmap(drawBoxPicture(picture));
}

void BoxWindow::setButtons(BoxStyle style) {
    if (m_yes == nullptr) {
        return;
    }
    m_yes->setVisible(style == BoxStyle::YesNo);
    m_no->setVisible(style == BoxStyle::YesNo);
    m_ok->setVisible(style == BoxStyle::Ok);
    QPushButton* first = style == BoxStyle::YesNo ? m_yes : style == BoxStyle::Ok ? m_ok : nullptr;
    m_yes->setDefault(first == m_yes);
    m_ok->setDefault(first == m_ok);
    if (first != nullptr) {
        first->setFocus();
    }
}

void BoxWindow::present(const QString& title, bool modal) {
    const Qt::WindowModality wanted = modal ? Qt::ApplicationModal : Qt::NonModal;
    // Modality only takes effect when the window is shown again.
    if (isVisible() && windowModality() != wanted) {
        hide();
    }
    setWindowModality(wanted);
    setWindowTitle(title);
    adjustSize();
    show();
    raise();
    activateWindow();
}

void BoxWindow::answer(BoxButton button) {
    hide();
    if (m_onAnswer) {
        m_onAnswer(button);
    }
}

void BoxWindow::reject() {
    answer(closedAnswer());
}

} // namespace kelvo
