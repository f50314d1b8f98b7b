#pragma once

#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "services/window_registry.h"
#include "windows/social_setup_view.h"

namespace kelvo {

/// "Setup Social Networking": the Facebook and MySpace logins, stored
/// encrypted. A box left empty keeps what was stored.
class SocialSetupLogic {
public:
    SocialSetupLogic(SocialSetupView& view, SettingsFile& settings, MessageBoxes& boxes,
                     WindowRegistry& windows);

    /// Fills the boxes with the stored logins.
    void formLoad();
    /// "Save Settings": warns about a login with one half only, stores each
    /// filled box and closes.
    void saveClicked();
    /// The dialog went: the main window shows again.
    void formUnload();

private:
    SocialSetupView& m_view;
    SettingsFile& m_settings;
    MessageBoxes& m_boxes;
    WindowRegistry& m_windows;
};

} // namespace kelvo
