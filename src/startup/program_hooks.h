#pragma once

#include "services/error_sink.h"
#include "speech/catalogue_files.h"
#include "startup/app_state.h"
#include "startup/startup_hooks.h"

namespace kelvo {

/// The start-up steps that belong neither to a window nor to the engine
/// (those wrap these hooks): the grammar merge. The report, sound, splash
/// and wizard steps have nothing to do yet and succeed.
class ProgramHooks final : public StartupHooks {
public:
    ProgramHooks(AppState& app, ErrorSink& errors) : m_app(app), m_errors(errors) {}

    Status prepareStartupReport() override { return {}; }
    Status postStartupReport(const std::string&) override { return {}; }
    Status takeInStartupReply() override { return {}; }
    void setBusyPointer(bool) override {}
    Status playWelcomeSound(const std::filesystem::path&) override { return {}; }
    Status showSplashModal() override { return {}; }
    /// Merges the custom-command store into the listening grammar of the
    /// data folder. A broken store or grammar is reported and the start
    /// goes on with the grammar as it was: the catalogue still listens.
    Status mergeCustomCommandsIntoGrammar() override;
    Status loadMainWindow() override { return {}; }
    Status loadAboutWindow() override { return {}; }
    Status showAdPanes(const std::array<AdPaneView, 4>&) override { return {}; }
    Status loadMusicLists() override { return {}; }
    Status showMouseHandedness() override { return {}; }
    void controlEngine(std::string_view, const std::string&) override {}
    Status showCreateProfileWizard() override { return {}; }
    Status loadTrainingGrammar(const std::string&) override { return {}; }
    Status hideFirstTimeFrame() override { return {}; }
    Status showSelectProfileWizard() override { return {}; }
    Status showMainWindow() override { return {}; }

private:
    AppState& m_app;
    ErrorSink& m_errors;
};

/// Where the catalogue, store and grammar files of this run are.
CatalogueFiles catalogueFilesOf(const AppState& app);

} // namespace kelvo
