#include "speech/clash_renaming.h"

#include "platform/atomic_file.h"
#include "services/xml_helpers.h"
#include "speech/command_catalogue.h"
#include "speech/xml_text.h"

#include <pugixml.hpp>

#include <deque>
#include <unordered_map>
#include <unordered_set>

namespace kelvo {

namespace {

constexpr const char* kLocation = "MutPdacc";

} // namespace

std::string renameClashes(const std::vector<std::string>& cataloguePhrases,
                          std::vector<std::string>& customPhrases) {
    const std::unordered_set<std::string> catalogue(cataloguePhrases.begin(),
                                                    cataloguePhrases.end());
    // Store positions of each custom phrase, first first.
    std::unordered_map<std::string, std::deque<std::size_t>> positions;
    for (std::size_t i = 0; i < customPhrases.size(); ++i) {
        positions[customPhrases[i]].push_back(i);
    }
    auto taken = [&](const std::string& phrase) {
        const auto found = positions.find(phrase);
        return catalogue.count(phrase) != 0 || (found != positions.end() && !found->second.empty());
    };
    std::string report;
    for (const std::string& phrase : cataloguePhrases) {
        const auto found = positions.find(phrase);
        if (found == positions.end() || found->second.empty()) {
            continue;
        }
        const std::size_t index = found->second.front();
        found->second.pop_front();
        std::string renamed = "my " + phrase;
        while (taken(renamed)) {
            renamed = "my " + renamed;
        }
        customPhrases[index] = renamed;
        positions[renamed].push_back(index);
        if (!phrase.empty()) {
            report += "\n  " + phrase + " is now => '" + renamed + "'";
        }
    }
    return report;
}

void renameClashingCustomCommands(const CatalogueFiles& files, ErrorSink& errors,
                                  ConflictsNoticePort& notice) {
    // A store that cannot be read has no command to rename; the start-up
    // has told the user, and an error window here would end the close-down.
    pugi::xml_document store;
    if (Status loaded = loadXmlFile(store, files.customStore()); !loaded) {
        return;
    }
    auto catalogueText = readWholeFile(files.catalogue());
    if (!catalogueText) {
        errors.reportError(error_number::kFileNotFound, catalogueText.error().message(), kLocation);
        return;
    }
    auto catalogue = parseCommandCatalogue(*catalogueText);
    if (!catalogue) {
        errors.reportError(catalogue.error().number(), catalogue.error().message(), kLocation);
        return;
    }
    std::vector<std::string> cataloguePhrases;
    cataloguePhrases.reserve(catalogue->rows.size());
    for (const CommandRecord& row : catalogue->rows) {
        cataloguePhrases.push_back(row[CommandColumn::Phrase]);
    }

    const std::vector<pugi::xml_node> commands = elementsNamed(store, "c");
    std::vector<std::string> phrases;
    phrases.reserve(commands.size());
    for (const pugi::xml_node& command : commands) {
        phrases.push_back(wholeText(command));
    }
    std::vector<std::string> renamed = phrases;
    const std::string report = renameClashes(cataloguePhrases, renamed);
    if (renamed == phrases) {
        return;
    }
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (renamed[i] != phrases[i]) {
            setNodeText(commands[i], renamed[i]);
            pugi::xml_node command = commands[i];
            pugi::xml_attribute display = command.attribute("d");
            if (!display) {
                display = command.append_attribute("d");
            }
            display.set_value(renamed[i].c_str());
        }
    }
    if (Status saved = writeFileAtomically(files.customStore(), serializeXml(store)); !saved) {
        errors.reportError(saved.number(), saved.message(), kLocation);
        return;
    }
    if (!report.empty()) {
        notice.showConflictsNotice(std::string(kConflictsHeading) + "\n" + report);
    }
}

} // namespace kelvo
