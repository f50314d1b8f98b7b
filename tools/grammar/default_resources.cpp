#include "tools/grammar/default_resources.h"

#include "platform/atomic_file.h"
#include "services/hex_coding.h"
#include "speech/catalogue_files.h"
#include "speech/custom_command_store.h"
#include "speech/xml_text.h"

#include <pugixml.hpp>

#include <sstream>

namespace kelvo::tools {

namespace {

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::vector<std::string> splitTabs(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        fields.emplace_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

bool skipped(std::string_view line) {
    return line.empty() || line.front() == '#';
}

void setHex(pugi::xml_node element, const char* name, const std::string& value) {
    if (!value.empty()) {
        element.append_attribute(name).set_value(stringToHex(value).c_str());
    }
}

Result<std::vector<std::string>> readPhrases(const std::filesystem::path& file) {
    auto text = readWholeFile(file);
    if (!text) {
        return text.error();
    }
    return parsePhraseList(*text);
}

} // namespace

Result<std::vector<CatalogueSourceEntry>> parseCatalogueSource(std::string_view text) {
    std::vector<CatalogueSourceEntry> entries;
    int lineNumber = 0;
    for (std::string_view line : splitLines(text)) {
        ++lineNumber;
        if (skipped(line)) {
            continue;
        }
        std::vector<std::string> f = splitTabs(line);
        if (f.size() != 9) {
            return Status::failure(13, "catalogue line " + std::to_string(lineNumber) + " has " +
                                           std::to_string(f.size()) + " fields, not 9");
        }
        entries.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8]});
    }
    return entries;
}

std::vector<std::string> parsePhraseList(std::string_view text) {
    std::vector<std::string> phrases;
    for (std::string_view line : splitLines(text)) {
        if (skipped(line)) {
            continue;
        }
        const std::size_t tab = line.find('\t');
        phrases.emplace_back(tab == std::string_view::npos ? line : line.substr(tab + 1));
    }
    return phrases;
}

std::string catalogueXml(const std::vector<CatalogueSourceEntry>& entries) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("commands");
    for (const CatalogueSourceEntry& entry : entries) {
        pugi::xml_node command = root.append_child("c");
        setHex(command, "d", entry.display);
        setHex(command, "c2", entry.category);
        setHex(command, "c1", entry.type);
        setHex(command, "u", entry.target);
        setHex(command, "p", entry.placeholder);
        setHex(command, "ct", entry.separator);
        setHex(command, "p2", entry.locationMark);
        setHex(command, "styp", entry.searchType);
        command.append_child(pugi::node_pcdata).set_value(stringToHex(entry.phrase).c_str());
    }
    return serializeXml(doc);
}

std::string grammarXml(const std::vector<PhraseGroup>& groups) {
    pugi::xml_document doc;
    pugi::xml_node grammar = doc.append_child("Grammar");
    grammar.append_attribute("LANGID").set_value("409");
    for (const PhraseGroup& group : groups) {
        const std::size_t parts =
            (group.phrases.size() + kMaxAlternativesPerRule - 1) / kMaxAlternativesPerRule;
        for (std::size_t part = 0; part < parts; ++part) {
            pugi::xml_node rule = grammar.append_child("RULE");
            const std::string name =
                parts == 1 ? group.name : group.name + "_" + std::to_string(part + 1);
            rule.append_attribute("NAME").set_value(name.c_str());
            rule.append_attribute("TOPLEVEL").set_value("ACTIVE");
            pugi::xml_node list = rule.append_child("L");
            const std::size_t end =
                std::min(group.phrases.size(), (part + 1) * kMaxAlternativesPerRule);
            for (std::size_t i = part * kMaxAlternativesPerRule; i < end; ++i) {
                list.append_child("P")
                    .append_child(pugi::node_pcdata)
                    .set_value(group.phrases[i].c_str());
            }
        }
    }
    return serializeXml(doc);
}

Result<GrammarSources> readGrammarSources(const std::filesystem::path& resourcesDir) {
    const std::filesystem::path dir = resourcesDir / "grammar";
    GrammarSources sources;
    auto catalogueText = readWholeFile(dir / "catalogue.tsv");
    if (!catalogueText) {
        return catalogueText.error();
    }
    auto catalogue = parseCatalogueSource(*catalogueText);
    if (!catalogue) {
        return catalogue.error();
    }
    sources.catalogue = std::move(catalogue).value();
    const std::pair<const char*, std::vector<std::string>*> lists[] = {
        {"builtin_phrases.txt", &sources.builtin}, {"music_phrases.txt", &sources.music},
        {"social_phrases.txt", &sources.social},   {"bookmark_phrases.txt", &sources.bookmarks},
        {"wake_phrases.txt", &sources.wake},       {"training_phrases.txt", &sources.training},
    };
    for (const auto& [name, target] : lists) {
        auto phrases = readPhrases(dir / name);
        if (!phrases) {
            return phrases.error();
        }
        *target = std::move(phrases).value();
    }
    return sources;
}

std::map<std::string, std::string> buildDefaultResources(const GrammarSources& sources) {
    std::vector<std::string> cataloguePhrases;
    for (const CatalogueSourceEntry& entry : sources.catalogue) {
        cataloguePhrases.push_back(entry.phrase);
    }
    std::map<std::string, std::string> files;
    files["commands.xml"] = catalogueXml(sources.catalogue);
    files["commands_customfree.xml"] = std::string(kEmptyCustomStore);
    files[kGrammarFile] = grammarXml({{"kelvo_builtin", sources.builtin},
                                      {"kelvo_music", sources.music},
                                      {"kelvo_social", sources.social},
                                      {"kelvo_bookmarks", sources.bookmarks},
                                      {"kelvo_catalogue", cataloguePhrases}});
    files[kSleepGrammarFile] = grammarXml({{kSleepRuleName, sources.wake}});
    files[kTrainingGrammarFile] = grammarXml({{"kelvo_training", sources.training}});
    return files;
}

} // namespace kelvo::tools
