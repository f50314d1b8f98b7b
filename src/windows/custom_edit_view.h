#pragma once

#include "windows/dialog_view.h"

#include <filesystem>
#include <optional>
#include <string>

namespace kelvo {

/// The two step labels, one for each mode of the editor.
enum class EditModeLabel { New, Edit };

/// The two choices of step 2.
enum class TargetChoice { RunProgram, GoToWebsite };

/// The custom-command editor frmCustomEdit as its logic sees it.
class CustomEditView : public DialogView {
public:
    virtual void setModeLabelVisible(EditModeLabel label, bool visible) = 0;

    /// The phrase box (trigger words).
    virtual void setPhrase(const std::string& phrase) = 0;
    virtual std::string phrase() const = 0;
    /// A locked phrase box shows its text but cannot be changed.
    virtual void setPhraseLocked(bool locked) = 0;

    /// The target box (program or website).
    virtual void setTarget(const std::string& target) = 0;
    virtual std::string target() const = 0;
    virtual void setTargetEnabled(bool enabled) = 0;

    /// Marks one of the two choices, without reporting it as a click.
    virtual void setChoice(TargetChoice choice) = 0;
    virtual void setBrowseEnabled(bool enabled) = 0;

    /// Asks the user for a program file; nothing when cancelled.
    virtual std::optional<std::filesystem::path> chooseProgramFile() = 0;
};

} // namespace kelvo
