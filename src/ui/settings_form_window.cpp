#include "ui/settings_form_window.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QVBoxLayout>

namespace kelvo {

SettingsFormWindow::SettingsFormWindow(const FormLayout& layout,
                                       std::function<void(int button)> onClick,
                                       std::function<void()> onClosed)
    : m_onClosed(std::move(onClosed)) {
    setObjectName(layout.objectName);
    setWindowTitle(layout.title);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* column = new QVBoxLayout(this);
    QFormLayout* fields = nullptr;
    for (const FormLine& line : layout.lines) {
        const bool field = line.kind == FormLine::Kind::Box ||
                           line.kind == FormLine::Kind::PasswordBox ||
                           line.kind == FormLine::Kind::Value;
        if (!field) {
            fields = nullptr;
        } else if (fields == nullptr) {
            fields = new QFormLayout;
            column->addLayout(fields);
        }
        switch (line.kind) {
        case FormLine::Kind::Text: {
            auto* text = new QLabel(line.caption, this);
            text->setWordWrap(true);
            text->setTextFormat(Qt::PlainText);
            text->setObjectName(line.objectName);
            column->addWidget(text);
            break;
        }
        case FormLine::Kind::Box:
        case FormLine::Kind::PasswordBox: {
            auto* box = new QLineEdit(this);
            box->setObjectName(line.objectName);
            if (line.kind == FormLine::Kind::PasswordBox) {
                box->setEchoMode(QLineEdit::Password);
            }
            fields->addRow(line.caption, box);
            m_boxes[line.id] = box;
            break;
        }
        case FormLine::Kind::Value: {
            auto* value = new QLabel(this);
            value->setTextFormat(Qt::PlainText);
            value->setObjectName(line.objectName);
            fields->addRow(line.caption, value);
            m_values[line.id] = value;
            break;
        }
        case FormLine::Kind::Button: {
            auto* button = new QPushButton(line.caption, this);
            button->setObjectName(line.objectName);
            const int id = line.id;
            connect(button, &QPushButton::clicked, this, [onClick, id] { onClick(id); });
            column->addWidget(button);
            break;
        }
        }
    }
}

void SettingsFormWindow::setFieldText(int id, const std::string& text) {
    if (auto box = m_boxes.find(id); box != m_boxes.end()) {
        box->second->setText(QString::fromStdString(text));
    } else if (auto value = m_values.find(id); value != m_values.end()) {
        value->second->setText(QString::fromStdString(text));
    }
}

std::string SettingsFormWindow::fieldText(int id) const {
    auto box = m_boxes.find(id);
    return box == m_boxes.end() ? std::string() : box->second->text().toStdString();
}

void SettingsFormWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (m_onClosed) {
        m_onClosed();
    }
}

} // namespace kelvo
