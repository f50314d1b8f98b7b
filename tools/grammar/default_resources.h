#pragma once

#include "platform/status.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo::tools {

/// One command of the catalogue source, plain text.
struct CatalogueSourceEntry {
    std::string category;
    std::string type;
    std::string phrase;
    std::string display;
    std::string target;
    std::string placeholder;
    std::string separator;
    std::string locationMark;
    std::string searchType;
};

/// Reads the tab-separated catalogue source; "#" lines and blank lines are
/// skipped. Fails on a line without exactly nine fields.
Result<std::vector<CatalogueSourceEntry>> parseCatalogueSource(std::string_view text);

/// Reads a phrase list: one phrase a line, or a row number, a tab and the
/// phrase; "#" lines and blank lines are skipped.
std::vector<std::string> parsePhraseList(std::string_view text);

/// commands.xml of these commands, every value hex-coded.
std::string catalogueXml(const std::vector<CatalogueSourceEntry>& entries);

/// A grammar file of top-level rules, one per group: its name and its
/// phrases as the alternatives of one list. Big groups are split into
/// several rules, numbered, so no rule grows past what the engine expands.
struct PhraseGroup {
    std::string name;
    std::vector<std::string> phrases;
};
std::string grammarXml(const std::vector<PhraseGroup>& groups);

/// Most alternatives one generated rule holds.
inline constexpr std::size_t kMaxAlternativesPerRule = 200;

/// The phrase lists and the catalogue the defaults are made from.
struct GrammarSources {
    std::vector<CatalogueSourceEntry> catalogue;
    std::vector<std::string> builtin;
    std::vector<std::string> music;
    std::vector<std::string> social;
    std::vector<std::string> bookmarks;
    std::vector<std::string> wake;
    std::vector<std::string> training;
};

/// Reads resources/grammar/ of the given resources folder.
Result<GrammarSources> readGrammarSources(const std::filesystem::path& resourcesDir);

/// Every default file by its name in resources/defaults/: commands.xml,
/// the empty custom store, en_CLICK.XML, en_CLICK_mute.XML and min.xml.
std::map<std::string, std::string> buildDefaultResources(const GrammarSources& sources);

} // namespace kelvo::tools
