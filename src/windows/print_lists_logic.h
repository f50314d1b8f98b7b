#pragma once

#include "platform/status.h"
#include "windows/generated_page.h"

#include <pugixml.hpp>

#include <filesystem>
#include <string>
#include <vector>

namespace kelvo {

class MessageBoxes;

/// The catalogue's phrases as the printable lists take them, sorted.
struct PrintableLists {
    std::vector<std::string> stuff, places, pureFun;
    std::vector<std::string> regular, local, spell, spellLocal;
    /// Custom commands: phrase and target.
    std::vector<std::pair<std::string, std::string>> custom;
};

/// Reads the lists from the catalogue and custom-store texts. Fails when the
/// catalogue is not well-formed; a store that is not has no custom rows.
Result<PrintableLists> readPrintableLists(const std::string& catalogueXml,
                                          const std::string& customXml);

/// Appends one row per non-empty entry to the last table whose name
/// attribute is tableName; false when the page has no such table.
bool addTableRows(const std::vector<std::string>& entries, const std::string& tableName,
                  pugi::xml_document& document);

/// "Print Commands": writes the seven printable pages into the data folder
/// from their templates in the program folder, fills the web, search and
/// custom pages, and opens the first in the browser with its print dialog
/// requested. A failing step stops the run with a message and leaves the
/// pages as far as they were written; a page without one of its tables is
/// reported, and the rest still goes on.
class CommandListPrinter {
public:
    CommandListPrinter(std::filesystem::path programFolder, std::filesystem::path dataFolder,
                       OpenAddress open, MessageBoxes& boxes);

    void printCommandLists();
    /// The work of printCommandLists; the tables that were missing are
    /// added to missingTables.
    Status writePages(std::vector<std::string>& missingTables);

private:
    Status
    fillPage(const std::string& page,
             const std::vector<std::pair<std::string, const std::vector<std::string>*>>& tables,
             std::vector<std::string>& missingTables);

    std::filesystem::path m_programFolder;
    std::filesystem::path m_dataFolder;
    OpenAddress m_open;
    MessageBoxes& m_boxes;
};

} // namespace kelvo
