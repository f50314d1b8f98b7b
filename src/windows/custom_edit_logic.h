#pragma once

#include "services/message_boxes.h"
#include "speech/custom_command_editor.h"
#include "windows/custom_edit_view.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvo {

/// Longest phrase the editor saves, in characters.
inline constexpr std::size_t kMaxPhraseLength = 200;

/// The custom-command editor frmCustomEdit: a new command (phrase and
/// target) or a new target for an existing command, saved through the
/// custom-command editor, which also reloads the grammar.
class CustomEditLogic {
public:
    CustomEditLogic(CustomEditView& view, CustomCommandEditor& editor, MessageBoxes& boxes);

    /// The Custom tab's Add button: new mode, not modal. An editor already
    /// open is only brought to the front, keeping its mode and its text.
    void openNew();

    /// Edits the target of an existing command, modal: returns true once
    /// the window closed, and nothing of this object may be used after it.
    /// An editor already open is only brought to the front, keeping its
    /// mode, and this returns false at once.
    bool openEdit(const std::string& phrase, const std::string& target);

    bool editMode() const { return m_editMode; }

    /// "Run a program": the target comes from the file chooser.
    void runProgramClicked();
    /// "Go to a website": the target box starts again from "http://".
    void goToWebsiteClicked();
    /// Puts the chosen program in the target box; a cancelled choice keeps
    /// what was there.
    void browseClicked();
    /// Cancel, or the window's close button: nothing is saved.
    void cancelClicked();
    /// Checks both boxes and saves; the window closes only once saved.
    void saveClicked();

private:
    void formLoad();
    void show(bool modal);

    CustomEditView& m_view;
    CustomCommandEditor& m_editor;
    MessageBoxes& m_boxes;
    bool m_open = false;
    bool m_editMode = false;
    TargetChoice m_choice = TargetChoice::GoToWebsite;
    std::string m_editPhrase;
};

/// The phrase as typed, as the editor saves it: lower case, blanks trimmed
/// and single, every "my space" made "myspace" and then every "facebook"
/// "face book".
std::string normalizedPhrase(std::string_view typed);

/// Why a normalised phrase cannot be saved, or empty when it can: too
/// long, or holding what the recognizer cannot return (only letters,
/// digits, apostrophes and blanks reach it unchanged).
std::string phraseProblem(std::string_view phrase);

/// Why a target cannot be saved, or empty when it can: it must be a web
/// address (http, https or ftp) or the full path of an existing file or
/// folder (a program runs, anything else opens with the desktop's handler).
std::string targetProblem(const std::string& target);

} // namespace kelvo
