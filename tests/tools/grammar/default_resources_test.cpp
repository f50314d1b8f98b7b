#include "tools/grammar/default_resources.h"

#include "fakes/custom_editor_rig.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "speech/command_catalogue.h"
#include "speech/command_lists.h"
#include "speech/custom_command_editor.h"
#include "speech/grammar_merge.h"
#include "speech/grammar_rules.h"
#include "speech/xml_text.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

namespace kelvo::tools {
namespace {

const std::filesystem::path kResources = KELVO_RESOURCES_DIR;

GrammarSources sources() {
    auto read = readGrammarSources(kResources);
    EXPECT_TRUE(read.ok()) << read.error().message();
    return read.ok() ? read.value() : GrammarSources{};
}

std::string shipped(const std::string& name) {
    auto text = readWholeFile(kResources / "defaults" / name);
    EXPECT_TRUE(text.ok()) << name;
    return text.ok() ? text.value() : std::string();
}

// Every P text of the grammar, and the names of its rules.
struct GrammarContent {
    std::multiset<std::string> phrases;
    std::set<std::string> rules;
};

GrammarContent contentOf(const std::string& xml) {
    pugi::xml_document doc;
    EXPECT_TRUE(parseXml(doc, xml, "grammar").ok());
    GrammarContent content;
    for (const auto& p : elementsNamed(doc, "P")) {
        content.phrases.insert(wholeText(p));
    }
    for (const auto& rule : elementsNamed(doc, "RULE")) {
        content.rules.insert(rule.attribute("NAME").value());
    }
    return content;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

TEST(DefaultResources, ShippedFilesAreWhatTheSourcesGenerate) {
    for (const auto& [name, content] : buildDefaultResources(sources())) {
        EXPECT_EQ(shipped(name), content)
            << "resources/defaults/" << name
            << " is out of date: build the `defaults` target and commit the result";
    }
}

TEST(DefaultResources, CatalogueIsUsefulAndLoads) {
    auto parsed = parseCommandCatalogue(shipped("commands.xml"));
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed->badElements, 0u);
    EXPECT_GE(parsed->rows.size(), 150u);
    for (CommandList list :
         {CommandList::Stuff, CommandList::Places, CommandList::PureFun, CommandList::Searches,
          CommandList::SpellSearches, CommandList::MySpace, CommandList::Facebook}) {
        EXPECT_GE(parsed->listOf(list).size(), 5u) << static_cast<int>(list);
    }
    std::set<std::string> seen;
    std::set<std::string> searchTypes;
    for (const CommandRecord& row : parsed->rows) {
        const std::string& phrase = row[CommandColumn::Phrase];
        EXPECT_TRUE(seen.insert(lower(phrase)).second) << "twice: " << phrase;
        const std::string& type = row[CommandColumn::Type];
        const std::string& target = row[CommandColumn::Target];
        if (type == "3") {
            continue;
        }
        EXPECT_EQ(target.rfind("https://", 0), 0u) << phrase;
        if (type == "1") {
            continue;
        }
        ASSERT_EQ(type, "2") << phrase;
        const std::string& searchType = row[CommandColumn::SearchType];
        searchTypes.insert(searchType);
        EXPECT_NE(target.find(row[CommandColumn::Placeholder]), std::string::npos) << phrase;
        EXPECT_FALSE(row[CommandColumn::Placeholder].empty()) << phrase;
        const bool local = searchType == "2" || searchType == "4";
        const bool spelled = searchType == "3" || searchType == "4";
        if (local) {
            EXPECT_NE(target.find(row[CommandColumn::LocationMark]), std::string::npos) << phrase;
            EXPECT_FALSE(row[CommandColumn::LocationMark].empty()) << phrase;
        } else {
            EXPECT_FALSE(row[CommandColumn::Separator].empty()) << phrase;
        }
        EXPECT_EQ(lower(row[CommandColumn::Display]).find("spellsearch") != std::string::npos,
                  spelled)
            << phrase;
    }
    EXPECT_EQ(searchTypes, (std::set<std::string>{"1", "2", "3", "4"}));
}

TEST(DefaultResources, ListeningGrammarHoldsEveryPhraseOnce) {
    const GrammarSources s = sources();
    std::multiset<std::string> expected;
    for (const auto* list : {&s.builtin, &s.music, &s.social, &s.bookmarks}) {
        expected.insert(list->begin(), list->end());
    }
    for (const auto& entry : s.catalogue) {
        expected.insert(entry.phrase);
    }
    const GrammarContent listening = contentOf(shipped("en_CLICK.XML"));
    EXPECT_EQ(listening.phrases, expected);
    for (const auto& phrase : expected) {
        EXPECT_EQ(expected.count(phrase), 1u) << "in two lists: " << phrase;
    }
    EXPECT_EQ(listening.rules.count(kSleepRuleName), 0u);
    // Catalogue phrases must not be taken by an interpreter first.
    std::set<std::string> fixed;
    for (const auto* list : {&s.builtin, &s.music, &s.social, &s.bookmarks}) {
        for (const auto& phrase : *list) {
            fixed.insert(lower(phrase));
        }
    }
    for (const auto& entry : s.catalogue) {
        EXPECT_EQ(fixed.count(lower(entry.phrase)), 0u) << entry.phrase;
    }
}

TEST(DefaultResources, BuiltinListHoldsEveryRowOfTheDispatcher) {
    auto text = readWholeFile(kResources / "grammar" / "builtin_phrases.txt");
    ASSERT_TRUE(text.ok());
    std::set<int> rows;
    std::istringstream lines(*text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line[0] != '#') {
            rows.insert(std::stoi(line.substr(0, line.find('\t'))));
        }
    }
    EXPECT_EQ(rows.size(), 40u);
    EXPECT_EQ(*rows.begin(), 1);
    EXPECT_EQ(*rows.rbegin(), 40);
}

TEST(DefaultResources, SleepGrammarWakesAndTrainingGrammarActsOnNothing) {
    const GrammarSources s = sources();
    const GrammarContent sleep = contentOf(shipped("en_CLICK_mute.XML"));
    EXPECT_EQ(sleep.rules, std::set<std::string>{kSleepRuleName});
    EXPECT_EQ(sleep.phrases, (std::multiset<std::string>{"activate computer microphone",
                                                         "activate computer micro phone"}));
    const GrammarContent listening = contentOf(shipped("en_CLICK.XML"));
    for (const auto& phrase : contentOf(shipped("min.xml")).phrases) {
        EXPECT_EQ(listening.phrases.count(phrase), 0u) << phrase;
    }
}

TEST(DefaultResources, CatalogueWordsArePronounceable) {
    const std::filesystem::path dictionary =
        "/usr/share/pocketsphinx/model/en-us/cmudict-en-us.dict";
    std::ifstream in(dictionary);
    if (!in) {
        GTEST_SKIP() << "no pronouncing dictionary installed";
    }
    std::set<std::string> words;
    std::string line;
    while (std::getline(in, line)) {
        words.insert(line.substr(0, line.find(' ')));
    }
    for (const auto& entry : sources().catalogue) {
        std::istringstream phrase(entry.phrase);
        std::string word;
        while (phrase >> word) {
            EXPECT_EQ(words.count(lower(word)), 1u) << word << " in " << entry.phrase;
        }
    }
}

class ShippedFilesInUse : public ::testing::Test, protected fakes::CustomEditorRig {
protected:
    ShippedFilesInUse() {
        files.dataFolder = dir / "data";
        files.myDocumentsFolder = dir / "documents";
        for (const char* name : {"commands.xml", "commands_customfree.xml", "en_CLICK.XML"}) {
            EXPECT_TRUE(writeFileAtomically(files.dataFolder / name, shipped(name)).ok());
        }
    }

    fakes::TempDir dir;
};

TEST_F(ShippedFilesInUse, LoadWithoutReports) {
    lists.loadAllCommandLists();
    lists.loadCustomCommandList(files.customStore());
    mergeCustomCommandsIntoGrammar(files, errors);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_GE(state.commandTable.size(), 150u);
    EXPECT_FALSE(port.rowsOf(CommandList::Facebook).empty());
}

TEST_F(ShippedFilesInUse, FixedAndCataloguePhrasesCannotBeTakenByCustomCommands) {
    for (const std::string phrase :
         {"go stuff tab", "go google", "next track", "go facebook inbox", "search bookmarks"}) {
        EXPECT_FALSE(editor.saveCustomCommand(kCustomStandard, phrase, "/bin/true")) << phrase;
    }
    EXPECT_TRUE(editor.saveCustomCommand(kCustomStandard, "open my notes", "/bin/true"));
    EXPECT_TRUE(editor.deleteCustomCommand("open my notes").ok());
    EXPECT_EQ(readWholeFile(files.grammar()).value(), [] {
        pugi::xml_document doc;
        EXPECT_TRUE(parseXml(doc, shipped("en_CLICK.XML"), "g").ok());
        return serializeXml(doc);
    }());
}

} // namespace
} // namespace kelvo::tools
