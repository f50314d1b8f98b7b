#pragma once

#include "ui/dialog_window.h"
#include "windows/custom_edit_logic.h"

#include <QPalette>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kelvo {

/// The custom-command editor frmCustomEdit: the four steps, phrase, choice,
/// target and save. Behaviour lives in CustomEditLogic; this class only
/// shows and forwards.
class CustomEditWindow final : public DialogWindow<CustomEditView> {
public:
    /// Its name as a window and in the window registry.
    static constexpr const char* kName = "frmCustomEdit";

    /// parent: the window a modal edit blocks (the main window).
    CustomEditWindow(QWidget* parent, CustomCommandEditor& editor, MessageBoxes& boxes);

    CustomEditLogic& logic() { return m_logic; }

    void setModeLabelVisible(EditModeLabel label, bool visible) override;
    void setPhrase(const std::string& phrase) override;
    std::string phrase() const override;
    void setPhraseLocked(bool locked) override;
    void setTarget(const std::string& target) override;
    std::string target() const override;
    void setTargetEnabled(bool enabled) override;
    void setChoice(TargetChoice choice) override;
    void setBrowseEnabled(bool enabled) override;
    std::optional<std::filesystem::path> chooseProgramFile() override;

protected:
    void timerFired() override {}
    void closeRequested() override { m_logic.cancelClicked(); }

private:
    QLabel* m_new = nullptr;
    QLabel* m_edit = nullptr;
    QLineEdit* m_phrase = nullptr;
    QPalette m_phrasePalette;
    QRadioButton* m_runProgram = nullptr;
    QRadioButton* m_goToWebsite = nullptr;
    QLineEdit* m_target = nullptr;
    QPushButton* m_browse = nullptr;
    CustomEditLogic m_logic;
};

} // namespace kelvo
