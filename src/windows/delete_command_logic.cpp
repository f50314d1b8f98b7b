#include "windows/delete_command_logic.h"

namespace kelvo {

DeleteCommandLogic::DeleteCommandLogic(DeleteCommandView& view, CustomCommandEditor& editor,
                                       CommandLists& lists, const CatalogueFiles& files,
                                       CustomCommandHooks& hooks, MessageBoxes& boxes)
    : m_view(view), m_editor(editor), m_lists(lists), m_files(files), m_hooks(hooks),
      m_boxes(boxes) {}

void DeleteCommandLogic::open(const std::string& commandName) {
    m_commandName = commandName;
    m_view.setCaption("Delete Custom Command");
    m_view.setQuestion("Are you sure you want to delete voice command '" + commandName + "'?");
    m_view.showWindow(false);
}

void DeleteCommandLogic::yesClicked() {
    if (Status deleted = m_editor.deleteCustomCommand(m_commandName); deleted) {
        m_lists.loadCustomCommandList(m_files.customStore());
    } else {
        m_boxes.custMsgBox("Delete", "ok",
                           "The command '" + m_commandName +
                               "' could not be deleted: " + deleted.message(),
                           false);
    }
    // Asleep stays asleep; listening drops the deleted rule.
    m_hooks.muteUnmute(m_hooks.loadedGrammarHasRule(kSleepRuleName) ? -1 : 1);
    m_view.closeWindow();
}

void DeleteCommandLogic::noClicked() {
    m_view.closeWindow();
}

} // namespace kelvo
