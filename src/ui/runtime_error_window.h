#pragma once

#include "ui/box_window.h"

namespace kelvo {

/// The runtime-error window frmRuntimeError: caption, the report in Label1,
/// a picture and cmdOK. Never modal.
class RuntimeErrorWindow final : public BoxWindow {
    Q_OBJECT

public:
    RuntimeErrorWindow();

    void showError(const QString& title, const QString& message);

protected:
    // The window offers no way back into the program: closing it is its OK.
    BoxButton closedAnswer() const override { return BoxButton::Ok; }

private:
    QLabel* m_message = nullptr;
};

} // namespace kelvo
