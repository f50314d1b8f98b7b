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

} // namespace kelvo
