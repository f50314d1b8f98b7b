#pragma once

#include "integrations/social/social_state.h"
#include "services/app_control.h"
#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "services/window_registry.h"
#include "speech/dispatch_host.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace kelvo {

/// Name of the social-login settings dialog.
inline constexpr std::string_view kSocialSetupWindowName = "frmsocialsetup";

/// Milliseconds between two ticks of the page scrub.
inline constexpr int kPageScrubIntervalMs = 13000;

/// A site the program logs into: its settings section and its login page.
struct SocialLoginSite {
    std::string_view word;
    std::string_view displayName;
    std::string_view section;
    std::string_view templateFile;
    std::string_view pageFile;
    std::string_view userId;
    std::string_view passwordId;
    /// What the page holds once the scrub has emptied it.
    std::string_view retrySentence;
};

/// Facebook, MySpace and Bebo.
std::span<const SocialLoginSite> socialLoginSites();

/// What the logins work with.
struct SocialLoginParts {
    SocialState& state;
    SettingsFile& settings;
    MessageBoxes& boxes;
    WindowRegistry& windows;
    AppControl& app;
    DispatchHost& host;
    /// Holds the templates and the filled pages.
    std::filesystem::path dataFolder;
};

/// Logs into a social site by voice: the stored user name and password are
/// filled into a local copy of the site's login form, which the browser
/// opens for the user to send. The filled page is the user's alone (mode
/// 0600), is emptied by the scrub within 39 seconds and removed at
/// close-down and at the next start.
class SocialLogin {
public:
    explicit SocialLogin(SocialLoginParts parts);

    /// Fills and opens the login page of "facebook", "myspace" or "bebo".
    void login(const std::string& site);

    /// One tick of the 13-second timer: every third empties the filled pages.
    void timerTick();

    /// Deletes the filled pages.
    void tempFileCleanUp();

private:
    void missingCredential(const std::string& displayName);
    Status writeFilledPage(const SocialLoginSite& site, const std::string& user,
                           const std::string& password);

    SocialLoginParts m_p;
};

} // namespace kelvo
