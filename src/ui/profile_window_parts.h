#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

#include <string>

namespace kelvo {

inline QString qtext(const std::string& text) {
    return QString::fromStdString(text);
}

/// A word-wrapped plain-text label.
QLabel* plainLabel(QWidget* parent, const QString& objectName, const QString& text = QString());

/// A bold, larger plain-text label for a window's or a step's title.
QLabel* titleLabel(QWidget* parent, const QString& objectName, const QString& text = QString());

/// Prepares a profile window: its name, caption and the settings every one
/// of them shares (top-level, deleted when closed, Escape closes it).
void setUpProfileWindow(QWidget* window, const QString& objectName, const QString& caption);

/// Brings a profile window that is already open to the user: out of the
/// task bar when minimised, above the others, with the focus.
void comeToFront(QWidget* window);

} // namespace kelvo
