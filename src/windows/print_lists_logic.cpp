#include "windows/print_lists_logic.h"

#include "platform/atomic_file.h"
#include "services/error_sink.h"
#include "services/hex_coding.h"
#include "services/message_boxes.h"

#include <algorithm>
#include <array>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 7> kPages = {"vc_basic",  "vc_web",      "vc_custom", "vc_music",
                                               "vc_search", "vc_bookmark", "vc_social"};

/// A hex value of the catalogue; a value that is not hex is taken as empty,
/// so one damaged entry never stops the lists.
std::string decoded(const char* hex) {
    Result<std::string> text = decodeHex(hex);
    return text ? *text : std::string();
}

Status parse(pugi::xml_document& document, const std::string& text, const char* what) {
    if (const pugi::xml_parse_result parsed = document.load_string(text.c_str()); !parsed) {
        return Status::failure(error_number::kInvalidCall,
                               std::string(what) + " is not well-formed: " + parsed.description() +
                                   ".");
    }
    return {};
}

void appendRow(pugi::xml_node table,
               const std::vector<std::pair<const char*, std::string>>& cells) {
    pugi::xml_node row = table.append_child("tr");
    row.append_attribute("VALIGN") = "Top";
    for (const auto& [width, text] : cells) {
        pugi::xml_node cell = row.append_child("td");
        if (width != nullptr) {
            cell.append_attribute("WIDTH") = width;
        }
        cell.text().set(text.c_str());
    }
}

pugi::xml_node findTable(pugi::xml_document& document, const std::string& name) {
    pugi::xml_node found;
    for (pugi::xpath_node table : document.select_nodes("//table")) {
        for (pugi::xml_attribute attribute : table.node().attributes()) {
            if (std::string_view(attribute.name()) == "name") {
                if (name == attribute.value()) {
                    found = table.node();
                }
                break;
            }
        }
    }
    return found;
}

} // namespace

Result<PrintableLists> readPrintableLists(const std::string& catalogueXml,
                                          const std::string& customXml) {
    PrintableLists lists;
    pugi::xml_document catalogue;
    if (Status parsed = parse(catalogue, catalogueXml, "The command catalogue"); !parsed) {
        return parsed;
    }
    // An element without a search type keeps the previous element's.
    int searchType = 0;
    for (pugi::xpath_node node : catalogue.select_nodes("//c")) {
        const pugi::xml_node element = node.node();
        const std::string category = decoded(element.attribute("c2").value());
        if (pugi::xml_attribute styp = element.attribute("styp")) {
            const std::string type = decoded(styp.value());
            searchType = type.size() == 1 && type[0] >= '0' && type[0] <= '9' ? type[0] - '0' : 0;
        }
        const std::string phrase = decoded(element.child_value());
        if (category == "1") {
            lists.stuff.push_back(phrase);
        } else if (category == "2") {
            lists.places.push_back(phrase);
        } else if (category == "4") {
            lists.pureFun.push_back(phrase);
        } else if (category == "3") {
            const std::string display = decoded(element.attribute("d").value());
            std::array<std::vector<std::string>*, 4> searches = {&lists.regular, &lists.local,
                                                                 &lists.spell, &lists.spellLocal};
            if (searchType >= 1 && searchType <= 4) {
                searches[static_cast<size_t>(searchType - 1)]->push_back(display);
            }
        }
    }
    // A damaged store lists no custom command, as every other reader takes
    // it; the catalogue's lists are still printed.
    if (pugi::xml_document custom; parse(custom, customXml, "The custom command store").ok()) {
        for (pugi::xpath_node node : custom.select_nodes("//c")) {
            lists.custom.emplace_back(node.node().attribute("d").value(),
                                      node.node().attribute("u").value());
        }
    }
    // By character code, capitals before small letters.
    for (auto* list : {&lists.stuff, &lists.places, &lists.pureFun, &lists.regular, &lists.local,
                       &lists.spell, &lists.spellLocal}) {
        std::stable_sort(list->begin(), list->end());
    }
    std::stable_sort(lists.custom.begin(), lists.custom.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return lists;
}

bool addTableRows(const std::vector<std::string>& entries, const std::string& tableName,
                  pugi::xml_document& document) {
    pugi::xml_node table = findTable(document, tableName);
    if (!table) {
        return false;
    }
    for (const std::string& entry : entries) {
        if (!entry.empty()) {
            appendRow(table, {{nullptr, entry}});
        }
    }
    return true;
}

CommandListPrinter::CommandListPrinter(fs::path programFolder, fs::path dataFolder,
                                       OpenAddress open, MessageBoxes& boxes)
    : m_programFolder(std::move(programFolder)), m_dataFolder(std::move(dataFolder)),
      m_open(std::move(open)), m_boxes(boxes) {}

Status CommandListPrinter::fillPage(
    const std::string& page,
    const std::vector<std::pair<std::string, const std::vector<std::string>*>>& tables,
    std::vector<std::string>& missingTables) {
    pugi::xml_document document;
    const fs::path file = m_dataFolder / (page + ".html");
    if (Status loaded = loadPage(document, file); !loaded) {
        return loaded;
    }
    for (const auto& [name, entries] : tables) {
        if (!addTableRows(*entries, name, document)) {
            missingTables.push_back(page + ".html: \"" + name + "\"");
        }
    }
    return savePage(document, file);
}

Status CommandListPrinter::writePages(std::vector<std::string>& missingTables) {
    for (const char* page : kPages) {
        const std::string name(page);
        if (Status copied = copyTemplatePage(m_programFolder / (name + "_template.html"),
                                             m_dataFolder / (name + ".html"));
            !copied) {
            return copied;
        }
    }
    Result<std::string> catalogue = readWholeFile(m_dataFolder / "commands.xml");
    if (!catalogue) {
        return Status::failure(error_number::kFileNotFound,
                               "The command catalogue commands.xml could not be read.");
    }
    Result<std::string> custom = readWholeFile(m_dataFolder / "commands_customfree.xml");
    Result<PrintableLists> lists = readPrintableLists(*catalogue, custom ? *custom : std::string());
    if (!lists) {
        return Status::failure(lists.error().number(), lists.error().message());
    }
    if (Status web = fillPage(
            "vc_web",
            {{"stuff", &lists->stuff}, {"places", &lists->places}, {"purefun", &lists->pureFun}},
            missingTables);
        !web) {
        return web;
    }
    if (Status search = fillPage("vc_search",
                                 {{"regular", &lists->regular},
                                  {"local", &lists->local},
                                  {"spell", &lists->spell},
                                  {"spell local", &lists->spellLocal}},
                                 missingTables);
        !search) {
        return search;
    }
    pugi::xml_document document;
    const fs::path customPage = m_dataFolder / "vc_custom.html";
    if (Status loaded = loadPage(document, customPage); !loaded) {
        return loaded;
    }
    if (pugi::xml_node table = findTable(document, "templ")) {
        for (const auto& [phrase, target] : lists->custom) {
            appendRow(table, {{"12%", phrase}, {"88%", target}});
        }
    } else {
        missingTables.push_back("vc_custom.html: \"templ\"");
    }
    if (Status saved = savePage(document, customPage); !saved) {
        return saved;
    }
    return openLocalPage(m_dataFolder / "vc_basic.html", "print", m_dataFolder, m_open);
}

void CommandListPrinter::printCommandLists() {
    std::vector<std::string> missingTables;
    Status written = writePages(missingTables);
    std::string message;
    if (!written) {
        message = "The command lists could not be printed. " + written.message();
    }
    if (!missingTables.empty()) {
        message += (message.empty() ? "" : "\n\n");
        message += "These lists have no table on their page, so they were left out:";
        for (const std::string& table : missingTables) {
            message += "\n" + table;
        }
    }
    if (!message.empty()) {
        m_boxes.custMsgBox("Print Commands", "ok", message, false);
    }
}

} // namespace kelvo
