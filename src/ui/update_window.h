#pragma once

#include "windows/update_window_view.h"

#include <QWidget>

class QLabel;
class QProgressBar;

namespace kelvo {

/// frmUpdate: the content update's progress, drawn. Behaviour lives in
/// UpdateWindowLogic; this class only shows.
class UpdateWindow final : public QWidget, public UpdateWindowView {
    Q_OBJECT

public:
    UpdateWindow();

    void showWindow() override;
    void setMessage(const std::string& message) override;
    void setProgress(int percent) override;
    void closeWindow() override;

private:
    QLabel* m_message = nullptr;
    QProgressBar* m_progress = nullptr;
};

} // namespace kelvo
