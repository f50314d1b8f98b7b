#include "windows/custom_tab_buttons.h"

#include <utility>

namespace kelvo {

CustomTabButtons::CustomTabButtons(MainWindowView& view, MessageBoxes& boxes,
                                   CustomTabDialogs dialogs)
    : m_view(view), m_boxes(boxes), m_dialogs(std::move(dialogs)) {}

void CustomTabButtons::tellMissing(const std::string& what) {
    m_boxes.showNotice("Not Available", what + " is not part of this version of kelvo.", 1, false);
}

void CustomTabButtons::addCommandClicked() {
    if (!m_dialogs.addCustomCommand) {
        tellMissing("The custom-command editor");
        return;
    }
    m_dialogs.addCustomCommand();
}

void CustomTabButtons::removeCommandClicked() {
    const std::vector<std::string> row = m_view.selectedListRow(ListId::Custom);
    if (row.empty()) {
        m_boxes.custMsgBox("Unable To Remove A Command", "ok", "An item was not selected.", false);
        return;
    }
    if (!m_dialogs.confirmDelete) {
        tellMissing("Deleting a custom command");
        return;
    }
    m_dialogs.confirmDelete(row.front());
}

} // namespace kelvo
