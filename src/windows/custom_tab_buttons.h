#pragma once

#include "services/message_boxes.h"
#include "windows/main_window_view.h"

#include <functional>
#include <string>

namespace kelvo {

/// The windows the Custom tab's buttons open. One left empty belongs to a
/// part this version does not have: its button says so in a notice.
struct CustomTabDialogs {
    /// The custom-command editor in new mode, not modal.
    std::function<void()> addCustomCommand;
    /// The delete confirmation for this phrase, not modal.
    std::function<void(const std::string& phrase)> confirmDelete;
};

/// The Custom tab's Add and Remove buttons.
class CustomTabButtons {
public:
    CustomTabButtons(MainWindowView& view, MessageBoxes& boxes, CustomTabDialogs dialogs);

    /// cmdAddCommand.
    void addCommandClicked();
    /// cmdRemoveCommand: asks to delete the selected custom command.
    void removeCommandClicked();

private:
    void tellMissing(const std::string& what);

    MainWindowView& m_view;
    MessageBoxes& m_boxes;
    CustomTabDialogs m_dialogs;
};

} // namespace kelvo
