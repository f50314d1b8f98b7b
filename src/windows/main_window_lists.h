#pragma once

#include "windows/main_window_view.h"

#include <string>
#include <vector>

namespace kelvo {

struct ListColumn {
    std::string header;
    int widthTwips = 0;
};

/// A list whose rows are written into the program: headers, rows in order
/// (each row the words, then the action in two-column lists) and tool tip.
struct FixedList {
    ListId id;
    std::vector<ListColumn> columns;
    std::vector<std::vector<std::string>> rows;
    std::string toolTip;
};

/// The Basic tab's list.
const FixedList& basicList();
/// The two social-site lists, Facebook first.
const std::vector<FixedList>& socialLists();
/// The login list's header and tool tip (its rows depend on the switches).
const FixedList& loginList();
/// The four music lists, in the order they are filled.
const std::vector<FixedList>& musicLists();
/// Footnote under the music lists.
const std::string& musicFootnote();

/// The tool tip of any list that has one, else empty.
std::string listToolTip(ListId list);

} // namespace kelvo
