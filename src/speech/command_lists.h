#pragma once

#include "services/error_sink.h"
#include "speech/catalogue_files.h"
#include "speech/catalogue_state.h"
#include "speech/command_list_port.h"

#include <filesystem>

namespace kelvo {

/// Builds the command table and the main window's command lists from the
/// catalogue and the custom-command store.
class CommandLists {
public:
    CommandLists(CatalogueState& state, CommandListPort& port, ErrorSink& errors,
                 const CatalogueFiles& files);

    /// Rebuilds the command table (catalogue rows, then one row per custom
    /// command), the five sorted catalogue lists and the catalogue rows of
    /// the two social lists, and empties the custom list. A missing, broken
    /// or empty catalogue is reported ("MutPdx") and the custom rows are
    /// still appended, so custom commands keep working.
    void loadAllCommandLists();

    /// Fills the custom list from the store, sorted by phrase. A missing
    /// store gives an empty list; a broken one is also reported ("FmouPrlv").
    void loadCustomCommandList(const std::filesystem::path& store);

private:
    CatalogueState& m_state;
    CommandListPort& m_port;
    ErrorSink& m_errors;
    const CatalogueFiles& m_files;
};

} // namespace kelvo
