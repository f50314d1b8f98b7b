#pragma once

#include <filesystem>
#include <string>

namespace kelvo {

/// Where the catalogue, the custom-command store, its backup and the
/// grammar files live. Fixed once the folders are known at start.
struct CatalogueFiles {
    std::filesystem::path dataFolder;
    std::filesystem::path myDocumentsFolder;
    /// File name of the listening grammar inside the data folder.
    std::string grammarFile = "en_CLICK.XML";

    std::filesystem::path catalogue() const { return dataFolder / "commands.xml"; }
    std::filesystem::path customStore() const { return dataFolder / "commands_customfree.xml"; }
    std::filesystem::path customStoreBackup() const {
        return myDocumentsFolder / "commands_customfree.xml";
    }
    std::filesystem::path grammar() const { return dataFolder / grammarFile; }
};

/// Names of the grammar files and the rule that marks the sleep grammar.
inline constexpr const char* kListeningGrammarFile = "en_CLICK.XML";
inline constexpr const char* kSleepGrammarFile = "en_CLICK_mute.XML";
inline constexpr const char* kTrainingGrammarFile = "min.xml";
inline constexpr const char* kSleepRuleName = "alaska computer  microphone";

} // namespace kelvo
