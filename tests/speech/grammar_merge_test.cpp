#include "speech/grammar_merge.h"

#include "fakes/custom_editor_rig.h"
#include "fakes/fake_error_sink.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "speech/xml_text.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

constexpr const char* kGrammar =
    "<GRAMMAR LANGID=\"409\"><Grammar>"
    "<RULE NAME=\"go pets\" TOPLEVEL=\"ACTIVE\"><P>go pets</P></RULE>"
    "<RULE NAME=\"tabs\" TOPLEVEL=\"ACTIVE\"><L><P>go music tab</P><P>go fun tab</P></L></RULE>"
    "</Grammar></GRAMMAR>";

class GrammarMergeTest : public ::testing::Test {
protected:
    GrammarMergeTest() { files.dataFolder = dir.path(); }

    void write(const std::filesystem::path& file, const std::string& text) {
        ASSERT_TRUE(writeFileAtomically(file, text).ok());
    }
    std::string read(const std::filesystem::path& file) { return readWholeFile(file).value(); }

    std::vector<std::string> ruleNames() { return fakes::grammarRuleNames(files.grammar()); }

    fakes::TempDir dir;
    CatalogueFiles files;
    fakes::FakeErrorSink errors;
};

TEST_F(GrammarMergeTest, AddsMissingCommandsOnceAndIsIdempotent) {
    write(files.grammar(), kGrammar);
    write(files.customStore(),
          "<cset><c d=\"go pets\" u=\"x\">go pets</c><c d=\"go music tab\" u=\"x\">go music "
          "tab</c><c d=\"open notes\" u=\"x\">open notes</c><c d=\"open notes\" u=\"y\">open "
          "notes</c></cset>");
    mergeCustomCommandsIntoGrammar(files, errors);
    EXPECT_TRUE(errors.reports.empty());
    // "go music tab" is only one alternative of a list, so it gets its own rule.
    const std::vector<std::string> expected{"go pets", "tabs", "go music tab", "open notes"};
    EXPECT_EQ(ruleNames(), expected);

    const std::string once = read(files.grammar());
    mergeCustomCommandsIntoGrammar(files, errors);
    EXPECT_EQ(read(files.grammar()), once);
    EXPECT_EQ(ruleNames(), expected);
}

TEST_F(GrammarMergeTest, UsesTheElementTextNotTheDisplayAttribute) {
    write(files.grammar(), kGrammar);
    write(files.customStore(), "<cset><c d=\"shown\" u=\"x\">spoken</c></cset>");
    mergeCustomCommandsIntoGrammar(files, errors);
    EXPECT_EQ(ruleNames().back(), "spoken");
}

TEST_F(GrammarMergeTest, EmptyStoreKeepsTheRulesAndSaves) {
    write(files.grammar(), kGrammar);
    write(files.customStore(), "<cset/>");
    mergeCustomCommandsIntoGrammar(files, errors);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(ruleNames(), (std::vector<std::string>{"go pets", "tabs"}));
    EXPECT_NE(read(files.grammar()).find("<?xml"), std::string::npos);
}

TEST_F(GrammarMergeTest, SkipsEmptyPhrases) {
    write(files.grammar(), kGrammar);
    write(files.customStore(), "<cset><c d=\"\" u=\"x\"></c><c d=\"a\" u=\"x\">a</c></cset>");
    mergeCustomCommandsIntoGrammar(files, errors);
    EXPECT_EQ(ruleNames(), (std::vector<std::string>{"go pets", "tabs", "a"}));
}

// A store that cannot be read adds nothing and says nothing (the start-up
// tells the user once); a bad grammar is reported.
TEST_F(GrammarMergeTest, BadFilesLeaveTheGrammarAlone) {
    const struct {
        std::string grammar; // empty: no file
        std::string store;   // empty: no file
        size_t reports;
    } cases[] = {
        {kGrammar, "", 0},  {kGrammar, "<cset><c>", 0},           {kGrammar, "<other/>", 0},
        {"", "<cset/>", 1}, {"<GRAMMAR><Grammar>", "<cset/>", 1}, {"<GRAMMAR/>", "<cset/>", 1},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(files.grammar());
        std::filesystem::remove(files.customStore());
        if (!c.grammar.empty()) {
            write(files.grammar(), c.grammar);
        }
        if (!c.store.empty()) {
            write(files.customStore(), c.store);
        }
        errors.reports.clear();
        mergeCustomCommandsIntoGrammar(files, errors);
        ASSERT_EQ(errors.reports.size(), c.reports) << c.grammar << " / " << c.store;
        if (c.reports > 0) {
            EXPECT_EQ(errors.reports[0].location, "MutPrscg");
        }
        if (c.grammar.empty()) {
            EXPECT_FALSE(std::filesystem::exists(files.grammar()));
        } else {
            EXPECT_EQ(read(files.grammar()), c.grammar);
        }
    }
}

TEST(MergePhrases, CountsAddedRulesAndSeesRulesAddedEarlier) {
    pugi::xml_document doc;
    ASSERT_TRUE(parseXml(doc, kGrammar, "g").ok());
    const pugi::xml_node grammar = firstElementNamed(doc, "Grammar");
    EXPECT_EQ(mergePhrasesIntoGrammar(doc, grammar, {"x", "x", "go pets", "y", "bad\x01"}), 2u);
    EXPECT_EQ(mergePhrasesIntoGrammar(doc, grammar, {"x", "y"}), 0u);
}

} // namespace
} // namespace kelvo
