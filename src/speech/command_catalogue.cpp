#include "speech/command_catalogue.h"

#include "services/hex_coding.h"
#include "speech/xml_text.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <optional>
#include <utility>

namespace kelvo {

namespace {

struct AttributeColumn {
    std::string_view name;
    std::optional<CommandColumn> column;
};

// `c2` is the list category and has no column.
constexpr AttributeColumn kAttributes[] = {
    {"d", CommandColumn::Display},       {"c2", std::nullopt},
    {"u", CommandColumn::Target},        {"c1", CommandColumn::Type},
    {"p", CommandColumn::Placeholder},   {"ct", CommandColumn::Separator},
    {"p2", CommandColumn::LocationMark}, {"p3", CommandColumn::P3},
    {"p4", CommandColumn::P4},           {"lng", CommandColumn::Language},
    {"styp", CommandColumn::SearchType}, {"fact", CommandColumn::Fact},
    {"co1", CommandColumn::Co1},         {"co2", CommandColumn::Co2},
};

const AttributeColumn* attributeNamed(std::string_view name) {
    for (const auto& attribute : kAttributes) {
        if (attribute.name == name) {
            return &attribute;
        }
    }
    return nullptr;
}

bool containsSpellsearch(std::string_view display) {
    std::string lower(display);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("spellsearch") != std::string::npos;
}

} // namespace

bool catalogueListFor(std::string_view category, std::string_view display, CommandList& list) {
    if (category == "1") {
        list = CommandList::Stuff;
    } else if (category == "2") {
        list = CommandList::Places;
    } else if (category == "3") {
        list = containsSpellsearch(display) ? CommandList::SpellSearches : CommandList::Searches;
    } else if (category == "4") {
        list = CommandList::PureFun;
    } else if (category == "5") {
        list = CommandList::MySpace;
    } else if (category == "6") {
        list = CommandList::Facebook;
    } else {
        return false;
    }
    return true;
}

Result<ParsedCatalogue> parseCommandCatalogue(std::string_view xml, std::size_t extraRows,
                                              CommandTable recycled) {
    pugi::xml_document doc;
    if (Status parsed = parseXml(doc, xml, "commands.xml"); !parsed) {
        return parsed;
    }
    ParsedCatalogue catalogue;
    recycled.clear();
    catalogue.rows = std::move(recycled);
    const std::vector<pugi::xml_node> elements = elementsNamed(doc, "c");
    catalogue.rows.reserve(elements.size() + extraRows);
    for (const pugi::xml_node& element : elements) {
        CommandRecord row;
        std::string category;
        bool bad = false;
        std::string badValue;
        auto decodeInto = [&](std::string_view hex, std::string& out) {
            auto decoded = decodeHex(hex);
            if (!decoded) {
                bad = true;
                if (badValue.empty()) {
                    badValue = hex;
                }
                return;
            }
            out = std::move(decoded).value();
        };
        for (const pugi::xml_attribute& attribute : element.attributes()) {
            const AttributeColumn* known = attributeNamed(attribute.name());
            if (known == nullptr) {
                continue;
            }
            decodeInto(attribute.value(), known->column ? row[*known->column] : category);
        }
        decodeInto(wholeText(element), row[CommandColumn::Phrase]);
        if (bad) {
            if (catalogue.badElements++ == 0) {
                catalogue.firstBadValue = badValue;
            }
            continue;
        }
        CommandList list{};
        if (catalogueListFor(category, row[CommandColumn::Display], list)) {
            catalogue.listOf(list).push_back(row[CommandColumn::Display]);
        }
        catalogue.rows.push_back(std::move(row));
    }
    return catalogue;
}

bool isWholeCatalogue(std::string_view xml) {
    auto parsed = parseCommandCatalogue(xml);
    return parsed && !parsed->rows.empty() && parsed->badElements == 0;
}

} // namespace kelvo
