#pragma once

#include "services/app_control.h"
#include "services/dialog_port.h"
#include "services/error_sink.h"

#include <functional>
#include <string>
#include <string_view>

namespace kelvo {

/// Answer codes of a message box.
inline constexpr int kAnswerOk = 0;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

/// Milliseconds a self-closing notice stays open, whatever the caller asks.
inline constexpr int kNoticeAutoCloseMs = 4500;
/// What a confirmed "Shutdown" gives the user before the power goes off.
inline constexpr int kShutdownDelaySeconds = 10;
inline constexpr const char* kShutdownComment = "Vista Will Shutdown in 10 seconds";

/// The state the message boxes share with their callers.
struct MessageBoxState {
    /// Answer of the last box: "6" Yes, "7" No, "0" OK, empty while none.
    std::string msgBoxAnswer;
    /// What the Yes of the next yes/no box does: "Quit" or "Shutdown".
    std::string pendingAction;
};

/// The program's questions, notices and error reports.
class MessageBoxes final : public ErrorSink {
public:
    MessageBoxes(MessageBoxState& state, DialogPort& dialogs, AppControl& app);

    /// Shows the message box. Modal: waits and returns 6, 7 or 0. Modeless:
    /// returns 0 at once and the answer lands in msgBoxAnswer later. The
    /// pending action belongs to this box: only its own Yes carries it out,
    /// and any other answer clears it.
    int custMsgBox(const std::string& title, std::string_view style, const std::string& message,
                   bool modal);

    /// Shows the small notice; a non-zero autoClose closes it after 4500 ms.
    void showNotice(const std::string& first, const std::string& second, int autoClose, bool modal);

    /// Shows the runtime-error window; its OK ends the program.
    void showRuntimeError(const std::string& title, const std::string& message);

    /// Shows the error window with a link. The link acts only for the action
    /// word "AudioProblem" (opens help and sound settings, then ends).
    int showErrorDialog(const std::string& title, std::string_view style,
                        const std::string& message, const std::string& linkCaption,
                        const std::string& linkAction, bool modal);

    /// Reports a trapped error: "kelvo Error" with "number: description",
    /// a line break and the location code. A refusal of the machine shows in
    /// a message box and the program goes on; anything else shows in the
    /// runtime-error window.
    void reportError(int number, std::string_view description, std::string_view location) override;

    /// The audio-setup error of the engine start, shown modally.
    void showAudioSetupError();

    /// Registers what the "AudioProblem" link does besides ending the program.
    void setAudioProblemHandler(std::function<void()> handler);

private:
    void carryOut(BoxButton button, const std::string& actionAtShow);

    MessageBoxState& m_state;
    DialogPort& m_dialogs;
    AppControl& m_app;
    std::function<void()> m_audioProblemHandler;
};

/// Text of a trapped-error report, without the title.
std::string formatErrorReport(int number, std::string_view description, std::string_view location);

} // namespace kelvo
