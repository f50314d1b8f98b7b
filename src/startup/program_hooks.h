#pragma once

#include "services/error_sink.h"
#include "services/settings_file.h"
#include "speech/catalogue_files.h"
#include "startup/app_state.h"
#include "startup/startup_hooks.h"
#include "startup/startup_report.h"

#include <functional>
#include <set>
#include <string>

namespace kelvo {

/// What the program's own start-up steps work with; any may be missing,
/// and its steps then do nothing.
struct ProgramHookParts {
    /// The settings file once the start-up knows the data folder.
    std::function<SettingsFile*()> settings;
    StartupReport* report = nullptr;
    /// Starts the welcome sound and returns at once.
    std::function<void(const std::filesystem::path&)> playSound;
};

/// The start-up steps that belong neither to a window nor to the engine
/// (those wrap these hooks): the start-up report, the welcome sound and the
/// grammar merge. A step that no layer carries out yet says so once in the
/// diagnostic list, and the start goes on.
class ProgramHooks final : public NoStartupHooks {
public:
    ProgramHooks(AppState& app, ErrorSink& errors, ProgramHookParts parts = {})
        : m_app(app), m_errors(errors), m_parts(std::move(parts)) {}

    /// Fills the user record of the report and the downloads.
    Status prepareStartupReport() override;
    /// Sends the report without waiting for the reply.
    Status postStartupReport(const std::string& sessionSummary) override;
    /// Takes in the reply if it came; one still on its way is taken in when
    /// it comes. A missing or bad reply is no failure.
    Status takeInStartupReply() override;
    /// Starts the sound; it never fails the start-up.
    Status playWelcomeSound(const std::filesystem::path& sound) override;
    /// Merges the custom-command store into the listening grammar of the
    /// data folder. A store that cannot be read adds nothing; a broken
    /// grammar is reported. Either way the start goes on with the grammar
    /// as it was: the catalogue still listens.
    Status mergeCustomCommandsIntoGrammar() override;

    Status showSplashModal() override { return notBuiltYet("showSplashModal"); }
    Status loadAboutWindow() override { return notBuiltYet("loadAboutWindow"); }
    Status showCreateProfileWizard() override { return notBuiltYet("showCreateProfileWizard"); }
    Status showSelectProfileWizard() override { return notBuiltYet("showSelectProfileWizard"); }

private:
    Status notBuiltYet(const std::string& step);

    AppState& m_app;
    ErrorSink& m_errors;
    ProgramHookParts m_parts;
    std::set<std::string> m_saidNotBuilt;
};

/// Where the catalogue, store and grammar files of this run are.
CatalogueFiles catalogueFilesOf(const AppState& app);

} // namespace kelvo
