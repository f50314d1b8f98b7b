#pragma once

#include "platform/status.h"
#include "services/error_sink.h"
#include "speech/catalogue_files.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// One command of commands_customfree.xml (plain text, nothing coded).
struct CustomCommand {
    std::string phrase;  // element text: what the grammar and the dispatcher use
    std::string display; // attribute d: the key of replace and delete, and the listed text
    std::string target;  // attribute u: a web address or a program or file path
    bool operator==(const CustomCommand&) const = default;
};

/// A store with no command, as installed.
inline constexpr std::string_view kEmptyCustomStore = "<?xml version=\"1.0\"?>\n<cset />\n";

/// Every element `c` of the store text, wherever it stands, in document
/// order. Fails when the text is not well-formed XML.
Result<std::vector<CustomCommand>> parseCustomCommandStore(std::string_view xml);

/// Reads and parses a store file.
Result<std::vector<CustomCommand>> readCustomCommandStore(const std::filesystem::path& store);

/// Copies the store to the documents folder, replacing the older backup.
/// Only a store that parses is copied, and atomically, so a damaged store
/// never replaces a good backup, and only over a backup that parses, so a
/// damaged backup is kept for the user to mend. Does nothing without a
/// documents folder. Failures are reported ("MutPrscg") with the file
/// error numbers (53, 75, 76): the machine's refusals, which the program
/// outlives.
void backupCustomCommands(const CatalogueFiles& files, ErrorSink& errors);

} // namespace kelvo
