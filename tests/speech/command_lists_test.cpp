#include "speech/command_lists.h"

#include "fakes/catalogue_builder.h"
#include "fakes/fake_command_list_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

using fakes::CatalogueBuilder;
using Rows = std::vector<std::string>;

class CommandListsTest : public ::testing::Test {
protected:
    CommandListsTest() { files.dataFolder = dir.path(); }

    void writeCatalogue(const std::string& xml) {
        ASSERT_TRUE(writeFileAtomically(files.catalogue(), xml).ok());
    }
    void writeStore(const std::string& xml) {
        ASSERT_TRUE(writeFileAtomically(files.customStore(), xml).ok());
    }

    fakes::TempDir dir;
    CatalogueFiles files;
    CatalogueState state;
    fakes::FakeCommandListPort port;
    fakes::FakeErrorSink errors;
    CommandLists lists{state, port, errors, files};
};

TEST_F(CommandListsTest, EveryLoadRaisesTheTableGeneration) {
    writeCatalogue(CatalogueBuilder().web("apple", "1").xml());
    writeStore("<cset><c d=\"my foo\" u=\"https://foo.example\">my foo</c></cset>");
    lists.loadAllCommandLists();
    const auto first = state.tableGeneration;
    writeStore("<cset><c d=\"my bar\" u=\"https://bar.example\">my bar</c></cset>");
    lists.loadAllCommandLists();
    EXPECT_GT(state.tableGeneration, first);
    ASSERT_EQ(state.commandTable.size(), 2u);
    EXPECT_EQ(state.commandTable[1][CommandColumn::Phrase], "my bar");
}

TEST_F(CommandListsTest, FillsEachListSortedAndTheTableInFileOrder) {
    writeCatalogue(CatalogueBuilder()
                       .web("Banana", "1")
                       .web("apple", "1")
                       .web("Cherry", "1")
                       .web("paris", "2")
                       .web("jokes", "4")
                       .add("search maps", {{"d", "search maps"}, {"c2", "3"}})
                       .add("spell search maps", {{"d", "SpellSearch maps"}, {"c2", "3"}})
                       .web("space two", "5")
                       .web("space one", "5")
                       .web("book one", "6")
                       .web("nowhere", "03")
                       .xml());
    writeStore("<cset><c d=\"news\" u=\"https://news.example\">news</c></cset>");
    lists.loadAllCommandLists();

    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(port.rowsOf(CommandList::Stuff), (Rows{"apple", "Banana", "Cherry"}));
    EXPECT_EQ(port.rowsOf(CommandList::Places), Rows{"paris"});
    EXPECT_EQ(port.rowsOf(CommandList::PureFun), Rows{"jokes"});
    EXPECT_EQ(port.rowsOf(CommandList::Searches), Rows{"search maps"});
    EXPECT_EQ(port.rowsOf(CommandList::SpellSearches), Rows{"SpellSearch maps"});
    // Social rows are not sorted.
    EXPECT_EQ(port.rowsOf(CommandList::MySpace), (Rows{"space two", "space one"}));
    EXPECT_EQ(port.rowsOf(CommandList::Facebook), Rows{"book one"});
    EXPECT_TRUE(port.customRows.empty());

    ASSERT_EQ(state.commandTable.size(), 12u);
    EXPECT_EQ(state.commandTable[0][CommandColumn::Phrase], "Banana");
    EXPECT_EQ(state.commandTable[10][CommandColumn::Phrase], "nowhere");
    const CommandRecord& custom = state.commandTable[11];
    EXPECT_EQ(custom[CommandColumn::Phrase], "news");
    EXPECT_EQ(custom[CommandColumn::Target], "https://news.example");
    EXPECT_EQ(custom[CommandColumn::Type], "");
    EXPECT_EQ(custom[CommandColumn::Display], "");
    EXPECT_TRUE(custom.custom);
    EXPECT_FALSE(state.commandTable[10].custom);
}

TEST_F(CommandListsTest, CustomRowTakesTheElementTextNotTheDisplayWords) {
    writeCatalogue(CatalogueBuilder().web("alpha", "1").xml());
    writeStore("<cset><c d=\"shown\" u=\"/bin/true\">spoken</c></cset>");
    lists.loadAllCommandLists();
    ASSERT_EQ(state.commandTable.size(), 2u);
    EXPECT_EQ(state.commandTable[1][CommandColumn::Phrase], "spoken");
}

TEST_F(CommandListsTest, ReloadReplacesTheTableAndShowsSocialRowsOnce) {
    writeCatalogue(CatalogueBuilder().web("space", "5").web("book", "6").xml());
    lists.loadAllCommandLists();
    lists.loadAllCommandLists();
    EXPECT_EQ(port.rowsOf(CommandList::MySpace), Rows{"space"});
    EXPECT_EQ(port.rowsOf(CommandList::Facebook), Rows{"book"});
    EXPECT_EQ(state.commandTable.size(), 2u);
}

TEST_F(CommandListsTest, HoldsFarMoreThanTheOldLimits) {
    CatalogueBuilder catalogue;
    for (int i = 0; i < 600; ++i) {
        catalogue.web("site " + std::to_string(i), "1");
    }
    writeCatalogue(catalogue.xml());
    std::string store = "<cset>";
    for (int i = 0; i < 700; ++i) {
        store += "<c d=\"mine " + std::to_string(i) + "\" u=\"https://x\">mine " +
                 std::to_string(i) + "</c>";
    }
    writeStore(store + "</cset>");
    lists.loadAllCommandLists();
    lists.loadCustomCommandList(files.customStore());
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(port.rowsOf(CommandList::Stuff).size(), 600u);
    EXPECT_EQ(state.commandTable.size(), 1300u);
    EXPECT_EQ(port.customRows.size(), 700u);
}

TEST_F(CommandListsTest, BrokenOrEmptyCatalogueIsReportedAndCustomCommandsStillWork) {
    const struct {
        std::string catalogue; // empty: no file
        std::string location;
    } cases[] = {
        {"", "MutPdx lc4"},
        {"<commands><c>6162</commands>", "MutPdx lc4"},
        {"<commands/>", "MutPdx lc5"},
        {"<commands><c>zz</c></commands>", "MutPdx lc6"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(files.catalogue());
        if (!c.catalogue.empty()) {
            writeCatalogue(c.catalogue);
        }
        writeStore("<cset><c d=\"mine\" u=\"https://mine.example\">mine</c></cset>");
        errors.reports.clear();
        port.catalogueRows.clear();
        lists.loadAllCommandLists();
        ASSERT_EQ(errors.reports.size(), 1u) << c.catalogue;
        EXPECT_EQ(errors.reports[0].location, c.location);
        EXPECT_FALSE(errors.reports[0].description.empty());
        ASSERT_EQ(state.commandTable.size(), 1u);
        EXPECT_EQ(state.commandTable[0][CommandColumn::Phrase], "mine");
        EXPECT_TRUE(port.rowsOf(CommandList::Stuff).empty());
        EXPECT_EQ(port.catalogueRows.size(), 7u) << "every list is cleared";
    }
}

TEST_F(CommandListsTest, MissingOrBrokenStoreGivesNoCustomRows) {
    writeCatalogue(CatalogueBuilder().web("alpha", "1").xml());
    lists.loadAllCommandLists();
    EXPECT_EQ(state.commandTable.size(), 1u);
    writeStore("<cset><c d=\"x\">");
    lists.loadAllCommandLists();
    EXPECT_EQ(state.commandTable.size(), 1u);
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(CommandListsTest, CustomListIsSortedWithTargets) {
    writeStore("<cset><c d=\"news\" u=\"n\">news</c><c d=\"Mail\" u=\"m\">Mail</c>"
               "<c d=\"ask\" u=\"a\">ask</c></cset>");
    lists.loadCustomCommandList(files.customStore());
    EXPECT_EQ(port.customRows,
              (std::vector<CustomListRow>{{"ask", "a"}, {"Mail", "m"}, {"news", "n"}}));
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(CommandListsTest, CustomListOfAMissingOrBrokenStoreIsEmptyWithoutAnError) {
    port.customRows = {{"stale", "x"}};
    lists.loadCustomCommandList(files.customStore());
    EXPECT_TRUE(port.customRows.empty());
    EXPECT_TRUE(errors.reports.empty());

    port.customRows = {{"stale", "x"}};
    writeStore("<cset><c d=");
    lists.loadCustomCommandList(files.customStore());
    EXPECT_TRUE(port.customRows.empty());
    EXPECT_TRUE(errors.reports.empty());
}

TEST(CommandListHeaders, NameEachList) {
    EXPECT_EQ(headerOf(CommandList::Stuff).text, "Stuff");
    EXPECT_EQ(headerOf(CommandList::Stuff).widthTwips, 1455);
    EXPECT_EQ(headerOf(CommandList::Places).widthTwips, 1355);
    EXPECT_EQ(headerOf(CommandList::PureFun).text, "Pure Fun");
    EXPECT_EQ(headerOf(CommandList::PureFun).widthTwips, 11695);
    EXPECT_EQ(headerOf(CommandList::SpellSearches).text, "Spell Searches");
    EXPECT_EQ(headerOf(CommandList::Searches).widthTwips, 1850);
}

} // namespace
} // namespace kelvo
