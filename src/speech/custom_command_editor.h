#pragma once

#include "platform/status.h"
#include "services/error_sink.h"
#include "services/message_boxes.h"
#include "speech/catalogue_files.h"
#include "speech/command_lists.h"
#include "speech/custom_command_hooks.h"

#include <string>
#include <string_view>

namespace kelvo {

/// Kinds of a save: a command the user typed, or one made from a bookmark.
inline constexpr std::string_view kCustomStandard = "CustomStandard";
inline constexpr std::string_view kCustomBookmark = "CustomBookmark";

/// What a save may do to a command of the same phrase: a new command never
/// replaces one; only the editor in edit mode gives a command a new target.
enum class CustomSave { New, NewTarget };

/// Adds, replaces and removes custom commands, keeping the store and the
/// listening grammar in step.
class CustomCommandEditor {
public:
    CustomCommandEditor(const CatalogueFiles& files, CommandLists& lists, MessageBoxes& boxes,
                        ErrorSink& errors, CustomCommandHooks& hooks);

    /// Saves the phrase with its target. A phrase the grammar or the store
    /// already knows is refused, except that a NewTarget save replaces the
    /// target of the custom command of that phrase. Both files are read and
    /// checked before either is written, the store first; a failure leaves
    /// both as they were. On success the store is backed up, the table and
    /// lists rebuilt and the recognizer's grammar reloaded. Returns true
    /// when saved.
    bool saveCustomCommand(std::string_view kind, const std::string& phrase,
                           const std::string& target, CustomSave save = CustomSave::New);

    /// Removes every store entry of the phrase and its own grammar rule; a
    /// catalogue rule is never removed. The caller refreshes the list and
    /// the recognizer. Fails, changing nothing, when a file cannot be read,
    /// is broken or cannot be written.
    Status deleteCustomCommand(const std::string& phrase);

private:
    void showSaveError(const std::string& phrase);

    const CatalogueFiles& m_files;
    CommandLists& m_lists;
    MessageBoxes& m_boxes;
    ErrorSink& m_errors;
    CustomCommandHooks& m_hooks;
};

} // namespace kelvo
