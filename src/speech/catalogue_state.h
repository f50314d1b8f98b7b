#pragma once

#include "speech/command_table.h"

namespace kelvo {

/// What the catalogue code keeps for the whole run.
struct CatalogueState {
    /// Replaced by every load of the command lists; read by the dispatcher.
    CommandTable commandTable;
};

} // namespace kelvo
