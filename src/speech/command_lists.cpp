#include "speech/command_lists.h"

#include "platform/atomic_file.h"
#include "speech/command_catalogue.h"
#include "speech/custom_command_store.h"
#include "speech/list_sorting.h"

#include <string>
#include <utility>
#include <vector>

namespace kelvo {

namespace {

constexpr const char* kLocation = "MutPdx ";

ParsedCatalogue readCatalogue(const std::filesystem::path& file, std::size_t extraRows,
                              CommandTable recycled, ErrorSink& errors) {
    auto text = readWholeFile(file);
    if (!text) {
        errors.reportError(error_number::kFileNotFound,
                           "The command catalogue could not be read: " + text.error().message(),
                           std::string(kLocation) + "lc4");
        return {};
    }
    auto parsed = parseCommandCatalogue(*text, extraRows, std::move(recycled));
    if (!parsed) {
        errors.reportError(parsed.error().number(), parsed.error().message(),
                           std::string(kLocation) + "lc4");
        return {};
    }
    ParsedCatalogue catalogue = std::move(parsed).value();
    if (catalogue.badElements > 0) {
        errors.reportError(error_number::kTypeMismatch,
                           "commands.xml: " + std::to_string(catalogue.badElements) +
                               " command(s) left out because a value is not hex text (first: '" +
                               catalogue.firstBadValue + "')",
                           std::string(kLocation) + "lc6");
    } else if (catalogue.rows.empty()) {
        errors.reportError(error_number::kInvalidCall, "commands.xml holds no command",
                           std::string(kLocation) + "lc5");
    }
    return catalogue;
}

} // namespace

CommandLists::CommandLists(CatalogueState& state, CommandListPort& port, ErrorSink& errors,
                           const CatalogueFiles& files)
    : m_state(state), m_port(port), m_errors(errors), m_files(files) {}

void CommandLists::loadAllCommandLists() {
    // A missing or unreadable store only means no custom rows.
    auto customs = readCustomCommandStore(m_files.customStore());
    const std::size_t customCount = customs ? customs->size() : 0;
    // Every load builds the table afresh, in the old table's storage.
    ParsedCatalogue catalogue =
        readCatalogue(m_files.catalogue(), customCount, std::move(m_state.commandTable), m_errors);

    for (CommandList list : {CommandList::Stuff, CommandList::Places, CommandList::Searches,
                             CommandList::SpellSearches, CommandList::PureFun}) {
        sortAndFillListView(catalogue.listOf(list), m_port, list);
    }
    // The social rows keep file order and replace those of an earlier load.
    m_port.setCatalogueRows(CommandList::MySpace, catalogue.listOf(CommandList::MySpace));
    m_port.setCatalogueRows(CommandList::Facebook, catalogue.listOf(CommandList::Facebook));
    m_port.setCustomRows({});

    CommandTable table = std::move(catalogue.rows);
    if (customs) {
        table.reserve(table.size() + customCount);
        for (const CustomCommand& custom : *customs) {
            CommandRecord row;
            row[CommandColumn::Phrase] = custom.phrase;
            row[CommandColumn::Target] = custom.target;
            row.custom = true;
            table.push_back(std::move(row));
        }
    }
    m_state.commandTable = std::move(table);
    ++m_state.tableGeneration;
}

void CommandLists::loadCustomCommandList(const std::filesystem::path& store) {
    // A missing or unreadable store lists nothing; the start-up says why.
    std::vector<CustomListRow> rows;
    if (auto customs = readCustomCommandStore(store)) {
        rows.reserve(customs->size());
        for (const CustomCommand& custom : *customs) {
            rows.push_back({custom.display, custom.target});
        }
    }
    sortAndFillListView(rows, m_port);
}

} // namespace kelvo
