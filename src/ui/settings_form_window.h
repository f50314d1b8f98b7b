#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kelvo {

/// One line of a settings dialog: a text, a labelled box, a labelled value
/// (a label the program sets) or a button.
struct FormLine {
    enum class Kind { Text, Box, PasswordBox, Value, Button };
    Kind kind = Kind::Text;
    /// The id the dialog's view uses for a box, value or button.
    int id = -1;
    QString caption;
    /// The widget's object name, so tests and tools can find it.
    QString objectName;
};

/// What a settings dialog holds, top to bottom.
struct FormLayout {
    QString objectName;
    QString title;
    std::vector<FormLine> lines;
};

/// A small settings dialog of texts, boxes and buttons drawn from a layout.
/// It takes no decision: clicks and its closing go to the callbacks. It is
/// deleted when it closes, so the next show loads it afresh.
class SettingsFormWindow : public QWidget {
public:
    SettingsFormWindow(const FormLayout& layout, std::function<void(int button)> onClick,
                       std::function<void()> onClosed);

    void setFieldText(int id, const std::string& text);
    std::string fieldText(int id) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::map<int, QLineEdit*> m_boxes;
    std::map<int, QLabel*> m_values;
    std::function<void()> m_onClosed;
};

} // namespace kelvo
