#pragma once

#include "services/message_boxes.h"
#include "speech/catalogue_files.h"
#include "speech/command_lists.h"
#include "speech/custom_command_editor.h"
#include "speech/custom_command_hooks.h"
#include "windows/delete_command_view.h"

#include <string>

namespace kelvo {

/// The confirmation frmDeleteCommand before a custom command is deleted.
class DeleteCommandLogic {
public:
    DeleteCommandLogic(DeleteCommandView& view, CustomCommandEditor& editor, CommandLists& lists,
                       const CatalogueFiles& files, CustomCommandHooks& hooks, MessageBoxes& boxes);

    /// Asks about this phrase, not modal. Asked again while open, it asks
    /// about the newer phrase.
    void open(const std::string& commandName);

    /// Deletes the phrase it asked about, whatever is selected by now,
    /// reloads the Custom list and the grammar in the current listening
    /// state, and closes. A failed delete is told and changes nothing.
    void yesClicked();
    /// No, or the window's close button.
    void noClicked();

private:
    DeleteCommandView& m_view;
    CustomCommandEditor& m_editor;
    CommandLists& m_lists;
    const CatalogueFiles& m_files;
    CustomCommandHooks& m_hooks;
    MessageBoxes& m_boxes;
    std::string m_commandName;
};

} // namespace kelvo
