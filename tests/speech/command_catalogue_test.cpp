#include "speech/command_catalogue.h"

#include "fakes/catalogue_builder.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

using fakes::CatalogueBuilder;
using Rows = std::vector<std::string>;

TEST(CommandCatalogue, DecodesEveryColumnOfARow) {
    const std::string xml = CatalogueBuilder()
                                .add("search web", {{"d", "search the web"},
                                                    {"c2", "3"},
                                                    {"u", "https://s.example/?q=QQ"},
                                                    {"c1", "2"},
                                                    {"p", "QQ"},
                                                    {"ct", "+"},
                                                    {"p2", "LL"},
                                                    {"p3", "three"},
                                                    {"p4", "four"},
                                                    {"lng", "en"},
                                                    {"styp", "1"},
                                                    {"fact", "f"},
                                                    {"co1", "x1"},
                                                    {"co2", "x2"},
                                                    {"zz", "ignored"}})
                                .xml();
    auto parsed = parseCommandCatalogue(xml);
    ASSERT_TRUE(parsed.ok()) << parsed.error().message();
    ASSERT_EQ(parsed->rows.size(), 1u);
    const CommandRecord& row = parsed->rows[0];
    const Rows expected{"search web", "https://s.example/?q=QQ",
                        "2",          "QQ",
                        "+",          "LL",
                        "three",      "four",
                        "en",         "1",
                        "f",          "x1",
                        "x2",         "search the web"};
    EXPECT_EQ(Rows(row.columns.begin(), row.columns.end()), expected);
}

TEST(CommandCatalogue, ChoosesTheListByExactCategoryText) {
    const struct {
        std::string category;
        std::string display;
        bool listed;
        CommandList list;
    } cases[] = {
        {"1", "w", true, CommandList::Stuff},
        {"2", "w", true, CommandList::Places},
        {"4", "w", true, CommandList::PureFun},
        {"5", "w", true, CommandList::MySpace},
        {"6", "w", true, CommandList::Facebook},
        {"3", "search maps", true, CommandList::Searches},
        {"3", "spellsearch maps", true, CommandList::SpellSearches},
        {"3", "SpellSearch maps", true, CommandList::SpellSearches},
        {"3", "my SPELLSEARCH", true, CommandList::SpellSearches},
        {"3", "spell search maps", true, CommandList::Searches},
        {"03", "w", false, CommandList::Stuff},
        {" 3", "w", false, CommandList::Stuff},
        {"3 ", "w", false, CommandList::Stuff},
        {"7", "w", false, CommandList::Stuff},
        {"", "w", false, CommandList::Stuff},
    };
    for (const auto& c : cases) {
        CommandList list = CommandList::Stuff;
        EXPECT_EQ(catalogueListFor(c.category, c.display, list), c.listed) << c.category;
        if (c.listed) {
            EXPECT_EQ(list, c.list) << c.category << " " << c.display;
        }
    }
}

TEST(CommandCatalogue, UnlistedCategoryStillGetsItsRow) {
    auto parsed = parseCommandCatalogue(
        CatalogueBuilder().web("alpha", "03").web("beta", " 3").web("gamma", "1").xml());
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed->rows.size(), 3u);
    EXPECT_EQ(parsed->listOf(CommandList::Stuff), Rows{"gamma"});
    EXPECT_TRUE(parsed->listOf(CommandList::Searches).empty());
}

TEST(CommandCatalogue, ElementWithoutDisplayDoesNotInheritThePrevious) {
    auto parsed = parseCommandCatalogue(CatalogueBuilder()
                                            .add("one", {{"d", "one"}, {"c2", "1"}})
                                            .add("two", {{"u", "https://two.example"}})
                                            .add("three", {{"c2", "2"}})
                                            .xml());
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed->listOf(CommandList::Stuff), Rows{"one"});
    EXPECT_EQ(parsed->listOf(CommandList::Places), Rows{""});
    EXPECT_EQ(parsed->rows[1][CommandColumn::Display], "");
}

TEST(CommandCatalogue, TakesElementsAtAnyDepthInDocumentOrder) {
    const std::string xml = "<root><c>" + stringToHex("first") + "</c><group><x><c>" +
                            stringToHex("second") + "</c></x></group><C>" + stringToHex("no") +
                            "</C></root>";
    auto parsed = parseCommandCatalogue(xml);
    ASSERT_TRUE(parsed.ok());
    ASSERT_EQ(parsed->rows.size(), 2u);
    EXPECT_EQ(parsed->rows[0][CommandColumn::Phrase], "first");
    EXPECT_EQ(parsed->rows[1][CommandColumn::Phrase], "second");
}

TEST(CommandCatalogue, DecodesWindows1252Text) {
    auto parsed = parseCommandCatalogue("<r><c d=\"63616665E9\">E97572\xE2\x80\x8B</c></r>");
    // The stray non-hex character in the text makes the element bad.
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed->rows.size(), 0u);
    parsed = parseCommandCatalogue("<r><c d=\"636166E9\" c2=\"31\">80</c></r>");
    ASSERT_TRUE(parsed.ok());
    ASSERT_EQ(parsed->rows.size(), 1u);
    EXPECT_EQ(parsed->rows[0][CommandColumn::Display], "caf\xC3\xA9");
    EXPECT_EQ(parsed->rows[0][CommandColumn::Phrase], "\xE2\x82\xAC");
}

TEST(CommandCatalogue, LeavesOutElementsWithBadHexAndCountsThem) {
    auto parsed = parseCommandCatalogue(CatalogueBuilder()
                                            .web("good", "1")
                                            .raw("<c d=\"zz\" c2=\"31\">6F6B</c>")
                                            .raw("<c d=\"6F6B\">not hex</c>")
                                            .web("also good", "1")
                                            .xml());
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed->rows.size(), 2u);
    EXPECT_EQ(parsed->badElements, 2u);
    EXPECT_EQ(parsed->firstBadValue, "zz");
    EXPECT_EQ(parsed->listOf(CommandList::Stuff), (Rows{"good", "also good"}));
}

TEST(CommandCatalogue, RefusesTextThatIsNotXml) {
    for (const std::string bad : {"", "not xml", "<c>6162", "<a><c></a>", "\xFF\xFE<"}) {
        auto parsed = parseCommandCatalogue(bad);
        EXPECT_FALSE(parsed.ok()) << bad;
        if (!parsed.ok()) {
            EXPECT_NE(parsed.error().message().find("commands.xml"), std::string::npos);
        }
    }
}

TEST(CommandCatalogue, DocumentWithoutCommandsIsEmpty) {
    auto parsed = parseCommandCatalogue("<commands><x/></commands>");
    ASSERT_TRUE(parsed.ok());
    EXPECT_TRUE(parsed->rows.empty());
}

} // namespace
} // namespace kelvo
