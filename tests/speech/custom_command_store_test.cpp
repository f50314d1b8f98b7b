#include "speech/custom_command_store.h"

#include "fakes/fake_error_sink.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(CustomCommandStore, ReadsEveryCommandWithPlainValues) {
    auto parsed = parseCustomCommandStore(
        "<?xml version=\"1.0\"?><cset><c d=\"news\" u=\"https://n.example/?a=1&amp;b=2\">news</c>"
        "<group><c d=\"shown\">spoken</c></group><c/></cset>");
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(*parsed, (std::vector<CustomCommand>{{"news", "news", "https://n.example/?a=1&b=2"},
                                                   {"spoken", "shown", ""},
                                                   {"", "", ""}}));
}

TEST(CustomCommandStore, EmptyStoreHasNoCommandsAndBrokenOneFails) {
    auto empty = parseCustomCommandStore(kEmptyCustomStore);
    ASSERT_TRUE(empty.ok());
    EXPECT_TRUE(empty->empty());
    EXPECT_FALSE(parseCustomCommandStore("<cset><c>").ok());
    EXPECT_FALSE(parseCustomCommandStore("").ok());
}

class BackupTest : public ::testing::Test {
protected:
    BackupTest() {
        files.dataFolder = dir / "data";
        files.myDocumentsFolder = dir / "documents";
    }
    void write(const std::filesystem::path& file, const std::string& text) {
        ASSERT_TRUE(writeFileAtomically(file, text).ok());
    }
    std::string read(const std::filesystem::path& file) { return readWholeFile(file).value(); }

    fakes::TempDir dir;
    CatalogueFiles files;
    fakes::FakeErrorSink errors;
};

TEST_F(BackupTest, BackupRunTwiceLeavesTheLaterCopy) {
    write(files.customStore(), "<cset><c d=\"a\" u=\"1\">a</c></cset>");
    backupCustomCommands(files, errors);
    write(files.customStore(), "<cset><c d=\"b\" u=\"2\">b</c></cset>");
    backupCustomCommands(files, errors);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(read(files.customStoreBackup()), "<cset><c d=\"b\" u=\"2\">b</c></cset>");
}

TEST_F(BackupTest, DamagedOrMissingStoreKeepsTheOlderBackup) {
    write(files.customStoreBackup(), "<cset><c d=\"good\">good</c></cset>");
    for (const std::string& store : {std::string("<cset><c d="), std::string()}) {
        std::filesystem::remove(files.customStore());
        if (!store.empty()) {
            write(files.customStore(), store);
        }
        errors.reports.clear();
        backupCustomCommands(files, errors);
        ASSERT_EQ(errors.reports.size(), 1u);
        EXPECT_EQ(errors.reports[0].location, "MutPrscg");
        EXPECT_EQ(read(files.customStoreBackup()), "<cset><c d=\"good\">good</c></cset>");
    }
}

// The user's only copy, to mend by hand: kept, and said so with a number
// of the machine's refusals, which the program outlives.
TEST_F(BackupTest, ADamagedBackupIsNeverReplaced) {
    write(files.customStore(), "<cset><c d=\"a\" u=\"1\">a</c></cset>");
    write(files.customStoreBackup(), "<cset><c d=\"mail\" u=\"https://m\">ma");
    backupCustomCommands(files, errors);
    EXPECT_EQ(read(files.customStoreBackup()), "<cset><c d=\"mail\" u=\"https://m\">ma");
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].number, error_number::kPathFileAccess);
    EXPECT_EQ(errors.reports[0].location, "MutPrscg");
}

// Without a documents folder nothing is written, not even beside the
// folder the program was started from.
TEST_F(BackupTest, NoDocumentsFolderWritesNoBackup) {
    write(files.customStore(), "<cset><c d=\"a\" u=\"1\">a</c></cset>");
    files.myDocumentsFolder.clear();
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    backupCustomCommands(files, errors);
    std::filesystem::current_path(previous);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "commands_customfree.xml"));
}

} // namespace
} // namespace kelvo
