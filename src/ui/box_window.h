#pragma once

#include "services/dialog_port.h"
#include "ui/box_pictures.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace kelvo {

/// What the program's own boxes share: a picture on the left, plain-text
/// labels beside it, the buttons cmdYes, cmdNo and cmdOK below, modal or
/// modeless showing, and one report of how the box was closed.
class BoxWindow : public QDialog {
    Q_OBJECT

public:
    using AnswerHandler = std::function<void(BoxButton)>;

    /// Called after the window hid itself, with the button that closed it.
    void setAnswerHandler(AnswerHandler handler);

protected:
    BoxWindow(const QString& objectName, BoxPicture picture, bool withButtons);

    /// Where a window adds its labels, top to bottom.
    QVBoxLayout* body() const { return m_body; }

    /// A label that never reads its text as markup.
    QLabel* addPlainLabel(const QString& objectName);

    void setPicture(BoxPicture picture);
    void setButtons(BoxStyle style);

    /// Shows the window with this caption, modal or not, on top.
    void present(const QString& title, bool modal);

    /// Hides the window and reports the button.
    void answer(BoxButton button);

    /// What closing by the window button or Escape counts as.
    virtual BoxButton closedAnswer() const { return BoxButton::Closed; }

    void reject() override;

private:
    QLabel* m_picture = nullptr;
    QVBoxLayout* m_body = nullptr;
    QPushButton* m_yes = nullptr;
    QPushButton* m_no = nullptr;
    QPushButton* m_ok = nullptr;
    AnswerHandler m_onAnswer;
};

} // namespace kelvo
