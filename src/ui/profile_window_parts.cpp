#include "ui/profile_window_parts.h"

#include <QKeySequence>
#include <QShortcut>

namespace kelvo {

QLabel* plainLabel(QWidget* parent, const QString& objectName, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QLabel* titleLabel(QWidget* parent, const QString& objectName, const QString& text) {
    QLabel* label = plainLabel(parent, objectName, text);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    label->setFont(font);
    return label;
}

void setUpProfileWindow(QWidget* window, const QString& objectName, const QString& caption) {
    window->setObjectName(objectName);
    window->setWindowTitle(caption);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setMinimumWidth(520);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

void comeToFront(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}

} // namespace kelvo
