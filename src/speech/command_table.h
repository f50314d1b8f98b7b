#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace kelvo {

/// Columns of a command-table row. The catalogue fills all of them; a custom
/// command fills only the phrase and the target.
enum class CommandColumn : std::size_t {
    Phrase = 0,       // the phrase exactly as the grammar returns it
    Target = 1,       // web address, or the address template of a search
    Type = 2,         // "1" web, "2" search, "3" feedback only, empty for custom
    Placeholder = 3,  // p: replaced by the search words
    Separator = 4,    // ct: put between the words of a regular search
    LocationMark = 5, // p2: replaced by the current location
    P3 = 6,
    P4 = 7,
    Language = 8,
    SearchType = 9, // "1" regular, "2" local, "3" spelled, "4" spelled local
    Fact = 10,
    Co1 = 11,
    Co2 = 12,
    Display = 13, // the words shown in the lists and the feedback
};

inline constexpr std::size_t kCommandColumns = 14;

/// One row of the command table.
struct CommandRecord {
    std::array<std::string, kCommandColumns> columns;
    /// True only for a row of the custom-command store: only the user's own
    /// commands may open files and start programs, whatever a downloaded
    /// row leaves empty.
    bool custom = false;

    std::string& operator[](CommandColumn column) {
        return columns[static_cast<std::size_t>(column)];
    }
    const std::string& operator[](CommandColumn column) const {
        return columns[static_cast<std::size_t>(column)];
    }
    bool operator==(const CommandRecord&) const = default;
};

/// The catalogue rows in file order, then one row per custom command.
using CommandTable = std::vector<CommandRecord>;

} // namespace kelvo
