#pragma once

#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "services/window_registry.h"
#include "speech/feedback_port.h"

#include <QWidget>

#include <functional>
#include <string>

namespace kelvo {

/// What the settings dialogs are made with.
struct SettingsDialogServices {
    SettingsFile& settings;
    MessageBoxes& boxes;
    WindowRegistry& windows;
    FeedbackPort& feedback;
    /// Opens a help topic ("tab_search.html#search_local").
    std::function<void(const std::string&)> openHelp;
};

/// The dialogs, each loaded with its values; each is deleted when it closes.
QWidget* makeSocialSetupWindow(const SettingsDialogServices& services);
QWidget* makeLocalSearchSettingsWindow(const SettingsDialogServices& services);
QWidget* makeJajahWindow(const SettingsDialogServices& services);
QWidget* makeSkypeWindow(const SettingsDialogServices& services);

} // namespace kelvo
