#include "startup/program_hooks.h"

#include "speech/grammar_merge.h"

namespace kelvo {

CatalogueFiles catalogueFilesOf(const AppState& app) {
    return CatalogueFiles{app.startup.dataFolder, app.startup.myDocumentsFolder,
                          app.speech.grammarFile};
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
