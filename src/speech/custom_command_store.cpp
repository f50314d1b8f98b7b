#include "speech/custom_command_store.h"

#include "platform/atomic_file.h"
#include "speech/xml_text.h"

#include <pugixml.hpp>

namespace kelvo {

namespace fs = std::filesystem;

Result<std::vector<CustomCommand>> parseCustomCommandStore(std::string_view xml) {
    pugi::xml_document doc;
    if (Status parsed = parseXml(doc, xml, "commands_customfree.xml"); !parsed) {
        return parsed;
    }
    std::vector<CustomCommand> commands;
    for (const pugi::xml_node& element : elementsNamed(doc, "c")) {
        commands.push_back(
            {wholeText(element), element.attribute("d").value(), element.attribute("u").value()});
    }
    return commands;
}

Result<std::vector<CustomCommand>> readCustomCommandStore(const std::filesystem::path& store) {
    auto text = readWholeFile(store);
    if (!text) {
        return text.error();
    }
    return parseCustomCommandStore(*text);
}

void backupCustomCommands(const CatalogueFiles& files, ErrorSink& errors) {
    // Without a usable documents folder there is no backup; the start-up
    // has said so.
    if (files.myDocumentsFolder.empty()) {
        return;
    }
    // A backup that cannot be read may be the user's only copy of the
    // commands, to mend by hand.
    std::error_code ec;
    if (fs::exists(fs::symlink_status(files.customStoreBackup(), ec)) &&
        !readCustomCommandStore(files.customStoreBackup())) {
        errors.reportError(error_number::kPathFileAccess,
                           "The custom commands were not backed up, to keep the backup " +
                               files.customStoreBackup().string() +
                               ", which cannot be read: mend or remove it.",
                           "MutPrscg");
        return;
    }
    auto text = readWholeFile(files.customStore());
    if (!text) {
        errors.reportError(error_number::kFileNotFound,
                           "The custom commands could not be backed up: " + text.error().message(),
                           "MutPrscg");
        return;
    }
    if (auto parsed = parseCustomCommandStore(*text); !parsed) {
        errors.reportError(error_number::kPathFileAccess,
                           "The custom commands were not backed up, to keep the older backup: " +
                               parsed.error().message(),
                           "MutPrscg");
        return;
    }
    if (Status written = writeFileAtomically(files.customStoreBackup(), *text); !written) {
        errors.reportError(written.number(),
                           "The custom commands could not be backed up: " + written.message(),
                           "MutPrscg");
    }
}

} // namespace kelvo
