#pragma once

#include "windows/diagnostic_window_logic.h"

#include <QWidget>

class QListWidget;

namespace kelvo {

/// Draws frmdebug; behaviour lives in DiagnosticWindowLogic.
class DiagnosticWindow final : public QWidget, public DiagnosticWindowView {
    Q_OBJECT

public:
    explicit DiagnosticWindow(DiagnosticList& feedback);

    void setCaption(const std::string& caption) override;
    void showLines(List list, const std::deque<std::string>& lines) override;

private:
    QListWidget* m_engine = nullptr;
    QListWidget* m_feedback = nullptr;
    DiagnosticWindowLogic m_logic;
};

} // namespace kelvo
