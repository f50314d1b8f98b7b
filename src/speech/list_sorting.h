#pragma once

#include "speech/command_list_port.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// True when a sorts before b in the command lists: ascending by the
/// upper-cased text, compared byte by byte.
bool listOrderLess(std::string_view a, std::string_view b);

/// Sorts the texts in list order. Stable, so equal texts keep file order.
void sortCommandRows(std::vector<std::string>& rows);

/// Sorts two-column rows in list order of their phrase.
void sortCommandRows(std::vector<CustomListRow>& rows);

/// Exchanges entries i and j (both columns of a two-column row).
void swapArrayRows(std::size_t i, std::size_t j, std::vector<std::string>& rows);
void swapArrayRows(std::size_t i, std::size_t j, std::vector<CustomListRow>& rows);

/// Sorts the texts in place and shows the non-empty ones in the list.
void sortAndFillListView(std::vector<std::string>& rows, CommandListPort& port, CommandList list);

/// Sorts the rows in place and shows those with a phrase in the custom list.
void sortAndFillListView(std::vector<CustomListRow>& rows, CommandListPort& port);

} // namespace kelvo
