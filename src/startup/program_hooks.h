#pragma once

#include "services/error_sink.h"
#include "speech/catalogue_files.h"
#include "startup/app_state.h"
#include "startup/startup_hooks.h"

#include <set>
#include <string>

namespace kelvo {

/// The start-up steps that belong neither to a window nor to the engine
/// (those wrap these hooks): the grammar merge. A step that no layer
/// carries out yet says so once in the diagnostic list, and the start goes
/// on.
class ProgramHooks final : public NoStartupHooks {
public:
    ProgramHooks(AppState& app, ErrorSink& errors) : m_app(app), m_errors(errors) {}

    /// Merges the custom-command store into the listening grammar of the
    /// data folder. A broken store or grammar is reported and the start
    /// goes on with the grammar as it was: the catalogue still listens.
    Status mergeCustomCommandsIntoGrammar() override;

    Status prepareStartupReport() override { return notBuiltYet("prepareStartupReport"); }
    Status postStartupReport(const std::string&) override {
        return notBuiltYet("postStartupReport");
    }
    Status takeInStartupReply() override { return notBuiltYet("takeInStartupReply"); }
    Status playWelcomeSound(const std::filesystem::path&) override {
        return notBuiltYet("playWelcomeSound");
    }
    Status showSplashModal() override { return notBuiltYet("showSplashModal"); }
    Status loadAboutWindow() override { return notBuiltYet("loadAboutWindow"); }
    Status showCreateProfileWizard() override { return notBuiltYet("showCreateProfileWizard"); }
    Status showSelectProfileWizard() override { return notBuiltYet("showSelectProfileWizard"); }

private:
    Status notBuiltYet(const std::string& step);

    AppState& m_app;
    ErrorSink& m_errors;
    std::set<std::string> m_saidNotBuilt;
};

/// Where the catalogue, store and grammar files of this run are.
CatalogueFiles catalogueFilesOf(const AppState& app);

} // namespace kelvo
