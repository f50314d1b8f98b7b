#include "services/message_boxes.h"

#include <utility>

namespace kelvo {

namespace {

BoxStyle parseStyle(std::string_view style) {
    if (style == "ok") {
        return BoxStyle::Ok;
    }
    if (style == "yesno") {
        return BoxStyle::YesNo;
    }
    return BoxStyle::None;
}

int answerCode(BoxButton button) {
    switch (button) {
    case BoxButton::Yes:
        return kAnswerYes;
    case BoxButton::No:
        return kAnswerNo;
    case BoxButton::Ok:
    case BoxButton::Closed:
        break;
    }
    return kAnswerOk;
}

std::string answerText(BoxButton button) {
    // A box closed by its window button gives no answer at all.
    if (button == BoxButton::Closed) {
        return {};
    }
    return std::to_string(answerCode(button));
}

} // namespace

std::string formatErrorReport(int number, std::string_view description, std::string_view location) {
    std::string text = std::to_string(number);
    text += ": ";
    text += description;
    text += '\n';
    text += location;
    return text;
}

MessageBoxes::MessageBoxes(MessageBoxState& state, DialogPort& dialogs, AppControl& app)
    : m_state(state), m_dialogs(dialogs), m_app(app) {}

int MessageBoxes::custMsgBox(const std::string& title, std::string_view style,
                             const std::string& message, bool modal) {
    m_state.msgBoxAnswer.clear();
    // The action travels with this box, so no later box can fire it.
    std::string action = std::exchange(m_state.pendingAction, {});
    const BoxStyle boxStyle = parseStyle(style);
    if (modal) {
        const BoxButton button = m_dialogs.showMessageBoxModal(title, boxStyle, message);
        // Our own answer, even when a nested box has since overwritten the
        // shared one.
        carryOut(button, action);
        return answerCode(button);
    }
    m_dialogs.showMessageBoxModeless(
        title, boxStyle, message,
        [this, action = std::move(action)](BoxButton button) { carryOut(button, action); });
    return kAnswerOk;
}

void MessageBoxes::carryOut(BoxButton button, const std::string& actionAtShow) {
    m_state.msgBoxAnswer = answerText(button);
    if (button != BoxButton::Yes) {
        return;
    }
    if (actionAtShow == "Quit") {
        m_app.pumpEvents();
        if (m_app.questionnaireTakesOverQuit()) {
            return;
        }
        m_app.backupCustomStore();
        m_app.quitProgram();
    } else if (actionAtShow == "Shutdown") {
        m_app.backupCustomStore();
        showNotice(kShutdownComment, "", 0, false);
        m_app.shutdownComputer(kShutdownDelaySeconds, kShutdownComment);
    }
}

void MessageBoxes::showNotice(const std::string& first, const std::string& second, int autoClose,
                              bool modal) {
    m_dialogs.showNotice(first, second, autoClose != 0, kNoticeAutoCloseMs, modal);
}

void MessageBoxes::showRuntimeError(const std::string& title, const std::string& message) {
    m_dialogs.showRuntimeError(title, message, [this] { m_app.endProgramNow(); });
}

int MessageBoxes::showErrorDialog(const std::string& title, std::string_view style,
                                  const std::string& message, const std::string& linkCaption,
                                  const std::string& linkAction, bool modal) {
    m_state.msgBoxAnswer.clear();
    auto onLink = [this, linkAction] {
        if (linkAction != "AudioProblem") {
            return;
        }
        if (m_audioProblemHandler) {
            m_audioProblemHandler();
        }
        m_app.endProgramNow();
    };
    const BoxButton button =
        m_dialogs.showErrorDialog(title, parseStyle(style), message, linkCaption, modal, onLink);
    if (!modal) {
        return kAnswerOk;
    }
    m_state.msgBoxAnswer = answerText(button);
    return answerCode(button);
}

void MessageBoxes::reportError(int number, std::string_view description,
                               std::string_view location) {
    const std::string report = formatErrorReport(number, description, location);
    if (error_number::isMachineRefusal(number)) {
        // Not through custMsgBox: a pending Quit belongs to the question that
        // set it, not to this report.
        m_dialogs.showMessageBoxModeless("kelvo Error", BoxStyle::Ok, report, [](BoxButton) {});
        return;
    }
    showRuntimeError("kelvo Error", report);
}

void MessageBoxes::showAudioSetupError() {
    const std::string message =
        "Audio Setup Error - either a mic is not plugged in, or an audio driver for the mic is "
        "disabled.\n\nkelvo will not operate correctly until this problem is resolved.  Click the "
        "link below for help.  Additional help may be available at https://kelvo.example.org.";
    showErrorDialog("Error", "ok", message, "Click here for help - this will close kelvo",
                    "AudioProblem", true);
}

void MessageBoxes::setAudioProblemHandler(std::function<void()> handler) {
    m_audioProblemHandler = std::move(handler);
}

} // namespace kelvo
