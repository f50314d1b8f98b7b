#pragma once

#include "speech/command_list_port.h"
#include "windows/main_window_view.h"

namespace kelvo {

/// The catalogue's lists shown in the main window's list views. The two
/// social lists keep their fixed rows in front: each update puts the fixed
/// rows back and appends the new catalogue rows, so a reload never leaves
/// the rows of an earlier load behind.
class MainWindowCommandLists final : public CommandListPort {
public:
    explicit MainWindowCommandLists(MainWindowView& view) : m_view(view) {}

    void setCatalogueRows(CommandList list, const std::vector<std::string>& rows) override;
    void setCustomRows(const std::vector<CustomListRow>& rows) override;

private:
    MainWindowView& m_view;
};

/// The main window's list that shows a catalogue list.
ListId listIdOf(CommandList list);

} // namespace kelvo
