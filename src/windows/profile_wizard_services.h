#pragma once

#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "services/window_registry.h"
#include "speech/speech_state.h"
#include "speech/voice_profiles.h"

#include <functional>
#include <string>

namespace kelvo {

/// What the four voice-profile windows work with.
struct ProfileWizardServices {
    VoiceProfilePort& profiles;
    SettingsFile& settings;
    MessageBoxes& boxes;
    /// `profileDialogMode` and `muted`.
    SpeechState& speech;
    /// Each other and the main window.
    WindowRegistry& windows;
    /// Opens a topic of the help ("training.html").
    std::function<void(const std::string&)> openHelpTopic;
};

/// Every notice of the profile windows: modal, closing itself.
inline void profileNotice(MessageBoxes& boxes, const std::string& first,
                          const std::string& second = "") {
    boxes.showNotice(first, second, 4000, true);
}

/// Shows the main window again, as a profile window does when it closes.
inline void showMainWindowAgain(WindowRegistry& windows) {
    windows.showWindow(kMainWindowName);
    windows.bringToFront(kMainWindowName);
}

/// The decoded `Parallax` `visual`, empty when it is not set or damaged.
std::string storedDefaultProfile(SettingsFile& settings);

} // namespace kelvo
