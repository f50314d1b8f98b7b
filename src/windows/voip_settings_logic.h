#pragma once

#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "services/window_registry.h"
#include "windows/voip_settings_view.h"

#include <string_view>

namespace kelvo {

inline constexpr std::string_view kJajahWindowName = "frmjajah";
inline constexpr std::string_view kSkypeWindowName = "frmskype";

/// "Jajah Settings": the web-call account and the home phone. The password
/// is stored encrypted; nothing stored is cut short.
class JajahSettingsLogic {
public:
    JajahSettingsLogic(VoipSettingsView& view, SettingsFile& settings, MessageBoxes& boxes,
                       WindowRegistry& windows);

    void formLoad();
    /// Warns when a box is empty, then stores all three and closes.
    void saveClicked();
    /// The dialog went: the main window shows again.
    void formUnload();

private:
    VoipSettingsView& m_view;
    SettingsFile& m_settings;
    MessageBoxes& m_boxes;
    WindowRegistry& m_windows;
};

/// "Skype Settings": the Skype name.
class SkypeSettingsLogic {
public:
    SkypeSettingsLogic(VoipSettingsView& view, SettingsFile& settings, MessageBoxes& boxes,
                       WindowRegistry& windows);

    void formLoad();
    void saveClicked();
    void formUnload();

private:
    VoipSettingsView& m_view;
    SettingsFile& m_settings;
    MessageBoxes& m_boxes;
    WindowRegistry& m_windows;
};

} // namespace kelvo
