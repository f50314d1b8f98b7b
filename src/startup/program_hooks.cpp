#include "startup/program_hooks.h"

#include "speech/grammar_merge.h"

namespace kelvo {

CatalogueFiles catalogueFilesOf(const AppState& app) {
    return CatalogueFiles{app.startup.dataFolder, app.startup.myDocumentsFolder,
                          app.speech.grammarFile};
}

Status ProgramHooks::prepareStartupReport() {
    SettingsFile* settings = m_parts.settings ? m_parts.settings() : nullptr;
    if (m_parts.report != nullptr && settings != nullptr) {
        m_parts.report->prepare(*settings);
    }
    return {};
}

Status ProgramHooks::postStartupReport(const std::string& sessionSummary) {
    SettingsFile* settings = m_parts.settings ? m_parts.settings() : nullptr;
    if (m_parts.report != nullptr && settings != nullptr) {
        m_parts.report->send(m_app.startup.serverBase, sessionSummary, *settings);
    }
    return {};
}

Status ProgramHooks::takeInStartupReply() {
    if (m_parts.report != nullptr) {
        (void)m_parts.report->takeIn();
    }
    return {};
}

Status ProgramHooks::playWelcomeSound(const std::filesystem::path& sound) {
    if (!m_parts.playSound) {
        return notBuiltYet("playWelcomeSound");
    }
    m_parts.playSound(sound);
    return {};
}

Status ProgramHooks::mergeCustomCommandsIntoGrammar() {
    kelvo::mergeCustomCommandsIntoGrammar(catalogueFilesOf(m_app), m_errors);
    return {};
}

Status ProgramHooks::notBuiltYet(const std::string& step) {
    if (m_saidNotBuilt.insert(step).second) {
        m_app.dispatch.diagnostics.append("start-up step not built yet: " + step);
    }
    return {};
}

} // namespace kelvo
