#include "speech/clash_renaming.h"

#include "fakes/catalogue_builder.h"
#include "fakes/fake_conflicts_notice_port.h"
#include "fakes/fake_error_sink.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "speech/custom_command_store.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

using Phrases = std::vector<std::string>;

TEST(RenameClashes, PrefixesTheFirstClashingCommandPerCataloguePhrase) {
    const struct {
        Phrases catalogue;
        Phrases custom;
        Phrases renamed;
        std::string report;
    } cases[] = {
        {{"go news"}, {"go news"}, {"my go news"}, "\n  go news is now => 'my go news'"},
        {{"go news"}, {"Go News"}, {"Go News"}, ""},
        {{"go news"},
         {"go news", "go news"},
         {"my go news", "go news"},
         "\n  go news is now => 'my go news'"},
        {{"a"}, {"b"}, {"b"}, ""},
        {{""}, {""}, {"my "}, ""},
        // The new phrase must not be another command's or a catalogue phrase.
        {{"news", "my news"}, {"news"}, {"my my news"}, "\n  news is now => 'my my news'"},
        {{"news"},
         {"news", "my news"},
         {"my my news", "my news"},
         "\n  news is now => 'my my news'"},
        {{"a", "b"}, {"b", "a"}, {"my b", "my a"}, "\n  a is now => 'my a'\n  b is now => 'my b'"},
    };
    for (const auto& c : cases) {
        Phrases custom = c.custom;
        EXPECT_EQ(renameClashes(c.catalogue, custom), c.report);
        EXPECT_EQ(custom, c.renamed);
    }
}

class ClashRenamingTest : public ::testing::Test {
protected:
    ClashRenamingTest() { files.dataFolder = dir.path(); }

    void write(const std::filesystem::path& file, const std::string& text) {
        ASSERT_TRUE(writeFileAtomically(file, text).ok());
    }
    std::string read(const std::filesystem::path& file) { return readWholeFile(file).value(); }

    fakes::TempDir dir;
    CatalogueFiles files;
    fakes::FakeErrorSink errors;
    fakes::FakeConflictsNoticePort notice;
};

TEST_F(ClashRenamingTest, RenamesInTheStoreAndShowsTheReport) {
    write(files.catalogue(),
          fakes::CatalogueBuilder().web("go news", "1").web("go mail", "1").xml());
    write(files.customStore(), "<cset><c d=\"go mail\" u=\"https://m\">go mail</c>"
                               "<c d=\"mine\" u=\"/x\">mine</c></cset>");
    renameClashingCustomCommands(files, errors, notice);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(readCustomCommandStore(files.customStore()).value(),
              (std::vector<CustomCommand>{{"my go mail", "my go mail", "https://m"},
                                          {"mine", "mine", "/x"}}));
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.shown[0],
              "These custom commands conflicted with new commands that were downloaded in the "
              "update, and had to be renamed.\n\n  go mail is now => 'my go mail'");
}

TEST_F(ClashRenamingTest, NoClashLeavesTheStoreAndShowsNothing) {
    write(files.catalogue(), fakes::CatalogueBuilder().web("go news", "1").xml());
    const std::string store = "<cset><c d=\"Go News\" u=\"/x\">Go News</c></cset>";
    write(files.customStore(), store);
    renameClashingCustomCommands(files, errors, notice);
    EXPECT_EQ(read(files.customStore()), store);
    EXPECT_TRUE(notice.shown.empty());
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(ClashRenamingTest, EmptyPhraseClashRenamesWithoutNotice) {
    write(files.catalogue(), "<r><c></c></r>");
    write(files.customStore(), "<cset><c d=\"\" u=\"/x\"></c></cset>");
    renameClashingCustomCommands(files, errors, notice);
    EXPECT_EQ(readCustomCommandStore(files.customStore()).value(),
              (std::vector<CustomCommand>{{"my ", "my ", "/x"}}));
    EXPECT_TRUE(notice.shown.empty());
}

TEST_F(ClashRenamingTest, BrokenFilesAreReportedAndTheStoreKept) {
    const struct {
        std::string catalogue;
        std::string store;
    } cases[] = {
        {"<r><c>", "<cset><c d=\"a\">a</c></cset>"},
        {"", "<cset><c d=\"a\">a</c></cset>"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(files.catalogue());
        if (!c.catalogue.empty()) {
            write(files.catalogue(), c.catalogue);
        }
        write(files.customStore(), c.store);
        errors.reports.clear();
        renameClashingCustomCommands(files, errors, notice);
        ASSERT_EQ(errors.reports.size(), 1u);
        EXPECT_EQ(errors.reports[0].location, "MutPdacc");
        EXPECT_EQ(read(files.customStore()), c.store);
    }
    // A damaged store, like every reader, has no command: nothing to rename.
    write(files.catalogue(), fakes::CatalogueBuilder().web("a", "1").xml());
    write(files.customStore(), "<cset><c d=\"a\">a</c>");
    errors.reports.clear();
    renameClashingCustomCommands(files, errors, notice);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(read(files.customStore()), "<cset><c d=\"a\">a</c>");
    EXPECT_TRUE(notice.shown.empty());
}

} // namespace
} // namespace kelvo
