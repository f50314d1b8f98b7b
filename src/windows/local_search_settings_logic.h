#pragma once

#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "services/window_registry.h"
#include "speech/feedback_port.h"
#include "windows/local_search_settings_view.h"

#include <functional>
#include <string>
#include <string_view>

namespace kelvo {

/// Name of the local-search settings dialog.
inline constexpr std::string_view kLocalSearchSettingsWindowName = "frmlocalsearchsettings";

/// "Local Search Settings": the five places (home required) and the current
/// location, which a save sets to home.
class LocalSearchSettingsLogic {
public:
    /// openHelp opens a help topic ("tab_search.html#search_local").
    LocalSearchSettingsLogic(LocalSearchSettingsView& view, SettingsFile& settings,
                             MessageBoxes& boxes, WindowRegistry& windows, FeedbackPort& feedback,
                             std::function<void(const std::string&)> openHelp);

    void formLoad();
    /// Stores the places and makes home the current location; without home
    /// it warns and stores nothing.
    void saveClicked();
    void cancelClicked();
    void localHelpClicked();
    void generalHelpClicked();
    /// The dialog went: the main window shows again.
    void formUnload();

private:
    LocalSearchSettingsView& m_view;
    SettingsFile& m_settings;
    MessageBoxes& m_boxes;
    WindowRegistry& m_windows;
    FeedbackPort& m_feedback;
    std::function<void(const std::string&)> m_openHelp;
};

} // namespace kelvo
