#pragma once

#include "speech/command_table.h"

#include <cstdint>

namespace kelvo {

/// What the catalogue code keeps for the whole run.
struct CatalogueState {
    /// Replaced by every load of the command lists; read by the dispatcher.
    CommandTable commandTable;
    /// Raised by every load of commandTable, so that what is derived from
    /// the table (the dispatcher's phrase index) knows to follow it even
    /// when the new table reuses the old one's storage.
    std::uint64_t tableGeneration = 0;
};

} // namespace kelvo
