#pragma once

#include "services/error_sink.h"
#include "speech/catalogue_files.h"
#include "startup/app_state.h"
#include "startup/startup_hooks.h"

namespace kelvo {

/// The start-up steps that belong neither to a window nor to the engine
/// (those wrap these hooks): the grammar merge. The report, sound, splash
/// and wizard steps have nothing to do yet and succeed.
class ProgramHooks final : public NoStartupHooks {
public:
    ProgramHooks(AppState& app, ErrorSink& errors) : m_app(app), m_errors(errors) {}

    /// Merges the custom-command store into the listening grammar of the
    /// data folder. A broken store or grammar is reported and the start
    /// goes on with the grammar as it was: the catalogue still listens.
    Status mergeCustomCommandsIntoGrammar() override;

private:
    AppState& m_app;
    ErrorSink& m_errors;
};

/// Where the catalogue, store and grammar files of this run are.
CatalogueFiles catalogueFilesOf(const AppState& app);

} // namespace kelvo
