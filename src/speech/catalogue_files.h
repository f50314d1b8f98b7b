#pragma once

#include "speech/speech_state.h"

#include <filesystem>
#include <string>

namespace kelvo {

/// Where the catalogue, the custom-command store, its backup and the
/// grammar files live. Fixed once the folders are known at start.
struct CatalogueFiles {
    std::filesystem::path dataFolder;
    std::filesystem::path myDocumentsFolder;
    /// File name of the listening grammar inside the data folder.
    std::string grammarFile = kGrammarFile;

    std::filesystem::path catalogue() const { return dataFolder / "commands.xml"; }
    std::filesystem::path customStore() const { return dataFolder / "commands_customfree.xml"; }
    std::filesystem::path customStoreBackup() const {
        return myDocumentsFolder / "commands_customfree.xml";
    }
    std::filesystem::path grammar() const { return dataFolder / grammarFile; }
};

/// The rule only the sleep grammar holds (two blanks before "microphone").
inline constexpr const char* kSleepRuleName = "alaska computer  microphone";

} // namespace kelvo
