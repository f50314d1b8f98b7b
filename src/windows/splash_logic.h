#pragma once

#include "services/error_sink.h"
#include "services/settings_file.h"
#include "windows/splash_view.h"

#include <filesystem>
#include <string>

namespace kelvo {

/// How long the splash stays open.
inline constexpr int kSplashMs = 5000;

/// The welcome window frmSplash: the data folder's splash page, a check box
/// that turns it off for later starts, and a timer that closes it.
class SplashLogic {
public:
    SplashLogic(SplashView& view, const std::filesystem::path& dataFolder, ErrorSink& errors);

    /// Shows the page and waits until the window closed; nothing of this
    /// object may be used after it. An unreadable page is reported
    /// ("FsplPloa"); a missing one shows a plain welcome.
    void showModal();

    /// ckSplash: ticked means not shown at the next start. Written at once;
    /// a failure is reported ("FsplPcl").
    void doNotShowClicked(bool ticked);

    /// Timer1, or the window's close button.
    void timerFired();

private:
    /// Reports the settings file's failures under the check box's code.
    class CheckBoxErrors final : public ErrorSink {
    public:
        explicit CheckBoxErrors(ErrorSink& errors) : m_errors(errors) {}
        void reportError(int number, std::string_view description,
                         std::string_view location) override;

    private:
        ErrorSink& m_errors;
    };

    SplashView& m_view;
    std::filesystem::path m_dataFolder;
    ErrorSink& m_errors;
    CheckBoxErrors m_checkBoxErrors{m_errors};
    SettingsFile m_settings;
};

} // namespace kelvo
