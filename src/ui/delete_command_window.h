#pragma once

#include "ui/dialog_window.h"
#include "windows/delete_command_logic.h"

namespace kelvo {

/// The delete confirmation frmDeleteCommand. Behaviour lives in
/// DeleteCommandLogic.
class DeleteCommandWindow final : public DialogWindow<DeleteCommandView> {
public:
    /// Its name as a window and in the window registry.
    static constexpr const char* kName = "frmDeleteCommand";

    DeleteCommandWindow(CustomCommandEditor& editor, CommandLists& lists,
                        const CatalogueFiles& files, CustomCommandHooks& hooks,
                        MessageBoxes& boxes);

    DeleteCommandLogic& logic() { return m_logic; }

    void setQuestion(const std::string& question) override;

protected:
    void timerFired() override {}
    void closeRequested() override { m_logic.noClicked(); }

private:
    QLabel* m_question = nullptr;
    DeleteCommandLogic m_logic;
};

} // namespace kelvo
