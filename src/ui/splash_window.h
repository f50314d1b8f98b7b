#pragma once

#include "ui/dialog_window.h"
#include "windows/splash_logic.h"

class QTextBrowser;

namespace kelvo {

/// The welcome window frmSplash: the splash page and the ckSplash check
/// box. Behaviour lives in SplashLogic.
class SplashWindow final : public DialogWindow<SplashView> {
public:
    /// Its name as a window and in the window registry.
    static constexpr const char* kName = "frmSplash";

    SplashWindow(const std::filesystem::path& dataFolder, ErrorSink& errors);

    SplashLogic& logic() { return m_logic; }

    void showPage(const std::string& html, const std::filesystem::path& folder) override;

protected:
    void timerFired() override { m_logic.timerFired(); }
    void closeRequested() override { m_logic.timerFired(); }

private:
    QTextBrowser* m_page = nullptr;
    SplashLogic m_logic;
};

} // namespace kelvo
