#pragma once

#include "platform/status.h"
#include "speech/command_list_port.h"
#include "speech/command_table.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

inline constexpr std::size_t kCatalogueLists = 7;

/// What one catalogue file gives: its rows and the display words of each
/// list, in file order.
struct ParsedCatalogue {
    CommandTable rows;
    std::array<std::vector<std::string>, kCatalogueLists> lists;
    /// Elements left out because a value was not hex text.
    std::size_t badElements = 0;
    /// Text of the first such element, for the report.
    std::string firstBadValue;

    std::vector<std::string>& listOf(CommandList list) {
        return lists[static_cast<std::size_t>(list)];
    }
    const std::vector<std::string>& listOf(CommandList list) const {
        return lists[static_cast<std::size_t>(list)];
    }
};

/// Where a catalogue element with this category and these display words is
/// listed; false when it is listed nowhere (any category but "1" to "6",
/// compared as exact text).
bool catalogueListFor(std::string_view category, std::string_view display, CommandList& list);

/// Parses the text of commands.xml: every element `c` in document order is
/// one row, its text and attributes hex-coded. Fails when the text is not
/// well-formed XML; a file without any `c` gives an empty catalogue. The
/// rows get room for extraRows more, so rows appended later do not move
/// the table; they are built in the storage of `recycled`, an old table
/// that is no longer needed, so a reload of a big catalogue does not fetch
/// fresh memory.
Result<ParsedCatalogue> parseCommandCatalogue(std::string_view xml, std::size_t extraRows = 0,
                                              CommandTable recycled = {});

/// True when the text is a catalogue every command of which can be read:
/// well-formed, with at least one command and no value that is not hex.
bool isWholeCatalogue(std::string_view xml);

} // namespace kelvo
