#include "windows/custom_edit_logic.h"

#include "platform/ascii_text.h"
#include "speech/search_address.h"
#include "speech/web_target.h"

#include <filesystem>

namespace kelvo {

namespace {

constexpr const char* kHttpStart = "http://";
constexpr const char* kChooseProgram =
    "Please complete step 3: click \"Select A Program\" to choose the program to run.";

bool isBlankOnly(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// Modeless, as the missing-data box is: the editor stays usable behind it.
void complain(MessageBoxes& boxes, const std::string& title, const std::string& message) {
    boxes.custMsgBox(title, "ok", message, false);
}

} // namespace

std::string normalizedPhrase(std::string_view typed) {
    std::string phrase;
    bool blank = false;
    for (const char c : typed) {
        if (c == ' ' || c == '\t') {
            blank = !phrase.empty();
            continue;
        }
        // The recognizer returns its words with one blank between them.
        if (blank) {
            phrase += ' ';
            blank = false;
        }
        phrase += asciiLower(c);
    }
    return replaceAll(replaceAll(phrase, "my space", "myspace"), "facebook", "face book");
}

std::string phraseProblem(std::string_view phrase) {
    if (phrase.size() > kMaxPhraseLength) {
        return "The trigger words can be at most " + std::to_string(kMaxPhraseLength) +
               " characters long.";
    }
    for (const char c : phrase) {
        const bool fits = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '\'' || c == ' ';
        if (!fits) {
            return "The trigger words can hold only letters, digits, apostrophes and blanks.";
        }
    }
    return {};
}

std::string targetProblem(const std::string& target) {
    if (isWebTarget(target)) {
        const std::size_t rest = target.find("://") + 3;
        if (isBlankOnly(std::string_view(target).substr(rest))) {
            return "Please type the address of the website after \"" + target.substr(0, rest) +
                   "\".";
        }
        return {};
    }
    // A relative path would be found from whatever folder the program was
    // started in, another one at each start.
    std::error_code error;
    if (std::filesystem::path(target).is_absolute() && std::filesystem::exists(target, error)) {
        return {};
    }
    return "\"" + target +
           "\" is neither a website address (beginning with http://, https:// or ftp://) nor "
           "the full path of a file or folder on this computer (beginning with /). Please "
           "choose \"Go to a website\" and type the address, or \"Run a program\" and select "
           "the program.";
}

CustomEditLogic::CustomEditLogic(CustomEditView& view, CustomCommandEditor& editor,
                                 MessageBoxes& boxes)
    : m_view(view), m_editor(editor), m_boxes(boxes) {}

void CustomEditLogic::formLoad() {
    m_view.setChoice(TargetChoice::GoToWebsite);
    goToWebsiteClicked();
    m_view.setBrowseEnabled(false);
}

void CustomEditLogic::openNew() {
    if (m_open) {
        m_view.raiseWindow();
        return;
    }
    formLoad();
    m_editMode = false;
    m_view.setCaption("Add Custom Voice Command");
    m_view.setModeLabelVisible(EditModeLabel::New, true);
    m_view.setModeLabelVisible(EditModeLabel::Edit, false);
    m_view.setPhraseLocked(false);
    show(false);
}

bool CustomEditLogic::openEdit(const std::string& phrase, const std::string& target) {
    if (m_open) {
        m_view.raiseWindow();
        return false;
    }
    formLoad();
    m_editMode = true;
    m_editPhrase = phrase;
    m_view.setPhrase(phrase);
    m_view.setPhraseLocked(true);
    // The stored target stays as it is, whichever choice it belongs to.
    m_view.setTarget(target);
    m_choice = hasAddressPrefix(target) ? TargetChoice::GoToWebsite : TargetChoice::RunProgram;
    m_view.setChoice(m_choice);
    m_view.setTargetEnabled(m_choice == TargetChoice::GoToWebsite);
    m_view.setBrowseEnabled(m_choice == TargetChoice::RunProgram);
    m_view.setCaption("Edit Custom Voice Command");
    m_view.setModeLabelVisible(EditModeLabel::Edit, true);
    m_view.setModeLabelVisible(EditModeLabel::New, false);
    show(true);
    return true;
}

void CustomEditLogic::show(bool modal) {
    m_open = true;
    m_view.showWindow(modal);
}

void CustomEditLogic::runProgramClicked() {
    m_choice = TargetChoice::RunProgram;
    m_view.setTargetEnabled(false);
    m_view.setBrowseEnabled(true);
}

void CustomEditLogic::goToWebsiteClicked() {
    m_choice = TargetChoice::GoToWebsite;
    m_view.setTargetEnabled(true);
    m_view.setBrowseEnabled(false);
    m_view.setTarget(kHttpStart);
}

void CustomEditLogic::browseClicked() {
    if (std::optional<std::filesystem::path> chosen = m_view.chooseProgramFile()) {
        m_view.setTarget(chosen->string());
    }
}

void CustomEditLogic::cancelClicked() {
    m_open = false;
    m_view.closeWindow();
}

void CustomEditLogic::saveClicked() {
    const std::string typed = m_view.phrase();
    const std::string target = m_view.target();
    std::string complaint;
    if (isBlankOnly(typed)) {
        complaint = "Please complete step 1.";
    }
    // "Run a program" leaves the website box as it was until a program is
    // chosen: nothing chosen is a step 3 still to do, not a bad address.
    std::error_code error;
    const bool noProgram =
        m_choice == TargetChoice::RunProgram && !std::filesystem::exists(target, error);
    if (target.empty() || noProgram) {
        if (!complaint.empty()) {
            complaint += "\n";
        }
        complaint += noProgram ? kChooseProgram : "Please complete step 3.";
    }
    if (!complaint.empty()) {
        complain(m_boxes, "Missing Data", complaint);
        return;
    }
    // An edit keeps the stored phrase exactly, so it replaces that command.
    const std::string phrase = m_editMode ? m_editPhrase : normalizedPhrase(typed);
    std::string problem = m_editMode ? std::string() : phraseProblem(phrase);
    if (problem.empty()) {
        problem = targetProblem(target);
    }
    if (!problem.empty()) {
        complain(m_boxes, "Kelvo", problem);
        return;
    }
    if (m_editor.saveCustomCommand(kCustomStandard, phrase, target,
                                   m_editMode ? CustomSave::NewTarget : CustomSave::New)) {
        m_open = false;
        m_view.closeWindow();
    }
}

} // namespace kelvo
