#pragma once

#include "speech/feedback_port.h"
#include "ui/busy_pointer.h"

namespace kelvo {

class MainWindow;
class MainWindowLogic;
class TrayIcon;

/// The speech side's feedback shown on the main window and the tray icon.
class WindowFeedback final : public FeedbackPort {
public:
    WindowFeedback(MainWindow& window, TrayIcon& tray, MainWindowLogic& logic);

    void setFeedbackText(const std::string& text) override;
    void setLocationText(const std::string& text) override;
    void showBalloon(const std::string& title, const std::string& text) override;
    void setTrayIcon(TrayIconKind icon, const std::string& tip) override;
    void setListeningIndicator(int image) override;
    void setBusyPointer(bool busy) override;
    void setTrainingMenuEnabled(bool enabled) override;
    void welcome() override;

private:
    MainWindow& m_window;
    TrayIcon& m_tray;
    MainWindowLogic& m_logic;
    BusyPointer m_busy;
};

} // namespace kelvo
