#pragma once

#include <string>

namespace kelvo {

/// Which icon the notification area shows.
enum class TrayIconKind {
    /// The main window's icon: listening.
    Listening,
    /// The sleep icon: not listening.
    Asleep,
};

/// Images of the main window's listening indicator.
inline constexpr int kIndicatorListening = 1;
inline constexpr int kIndicatorAsleep = 3;

/// What the speech code shows in the main window and the notification area.
/// src/ui implements it with the main window and tray icon; tests use a
/// recording fake. Every call is safe before the window exists or without a
/// notification area (it then shows what it can).
class FeedbackPort {
public:
    virtual ~FeedbackPort() = default;

    /// Sets the main window's feedback line to exactly this text.
    virtual void setFeedbackText(const std::string& text) = 0;

    /// Sets the main window's current-location line to exactly this text.
    virtual void setLocationText(const std::string& text) = 0;

    /// Shows a balloon on the tray icon.
    virtual void showBalloon(const std::string& title, const std::string& text) = 0;

    /// Changes the tray icon's image and tip together.
    virtual void setTrayIcon(TrayIconKind icon, const std::string& tip) = 0;

    /// Shows image kIndicatorListening or kIndicatorAsleep on the listening
    /// indicator.
    virtual void setListeningIndicator(int image) = 0;

    /// Shows the busy pointer over the program's windows, or the default one.
    virtual void setBusyPointer(bool busy) = 0;

    /// Enables or disables the training menu item.
    virtual void setTrainingMenuEnabled(bool enabled) = 0;

    /// The engine hears: the main window greets the user with the welcome
    /// balloon, the first time in a run only.
    virtual void welcome() = 0;
};

} // namespace kelvo
