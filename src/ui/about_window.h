#pragma once

#include "ui/dialog_window.h"
#include "windows/about_logic.h"

class QPlainTextEdit;
class QPushButton;

namespace kelvo {

/// The About box frmAbout. Behaviour lives in AboutLogic.
class AboutWindow final : public DialogWindow<AboutView> {
public:
    /// Its name as a window and in the window registry.
    static constexpr const char* kName = "frmAbout";

    explicit AboutWindow(WindowRegistry& windows);

    AboutLogic& logic() { return m_logic; }

    void setLegalText(const std::string& text) override;
    void setSystemInfoEnabled(bool enabled) override;

protected:
    void timerFired() override {}
    void closeRequested() override { m_logic.okClicked(); }

private:
    QPlainTextEdit* m_legal = nullptr;
    QPushButton* m_systemInfo = nullptr;
    AboutLogic m_logic;
};

} // namespace kelvo
