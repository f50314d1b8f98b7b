#include "services/settings_file.h"

#include "fakes/fake_error_sink.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kelvo {
namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    SettingsFile settings{dir / "mouse.ini", errors};

    void store(const std::string& text) {
        ASSERT_TRUE(writeFileAtomically(settings.path(), text).ok());
    }
    std::string fileText() { return readWholeFile(settings.path()).value(); }
};

TEST_F(SettingsFileTest, ValueIsCutToOneLessThanTheLength) {
    store("[Splash]\nDisplayOnStart=False\n");
    EXPECT_EQ(settings.readIni("Splash", "DisplayOnStart", "abc", 5), "Fals");
    EXPECT_EQ(settings.readIni("Splash", "DisplayOnStart", "NotSet", 7), "False");
    EXPECT_EQ(settings.readIni("Splash", "DisplayOnStart", "abc", 1), "");
}

TEST_F(SettingsFileTest, AbsentKeyGivesDefaultAndEmptyKeyGivesEmpty) {
    store("[Welcome]\nUses=\n");
    EXPECT_EQ(settings.readIni("Welcome", "Uses", "abcd", 5), "");
    EXPECT_EQ(settings.readIni("Welcome", "Other", "abcd", 5), "abcd");
    EXPECT_EQ(settings.readIni("Nowhere", "Uses", "NotSet", 7), "NotSet");
    // The default is cut like a stored value.
    EXPECT_EQ(settings.readIni("Nowhere", "Uses", "abcdefg", 4), "abc");
}

TEST_F(SettingsFileTest, MissingFileGivesDefaultsWithoutReport) {
    EXPECT_EQ(settings.readIni("Splash", "DisplayOnStart", "abc", 5), "abc");
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(SettingsFileTest, NamesMatchWithoutRegardToCase) {
    ASSERT_TRUE(settings.writeIni("Etowah", "CmdfileDate", "1/2/2008"));
    EXPECT_EQ(settings.readIni("ETOWAH", "CmdFileDate", "abcdefg", 50), "1/2/2008");
    ASSERT_TRUE(settings.writeIni("etowah", "CMDFILEDATE", "3/4/2009"));
    EXPECT_EQ(fileText(), "[Etowah]\nCmdfileDate=3/4/2009\n");
}

TEST_F(SettingsFileTest, LineBreaksAreRemovedNotReplaced) {
    ASSERT_TRUE(settings.writeIni("Lobuteha", "home", "12 Main\r\nSt\rApt\n4"));
    EXPECT_EQ(settings.readIni("Lobuteha", "home", "abc", 150), "12 MainStApt4");
}

TEST_F(SettingsFileTest, WriteKeepsOtherLinesAndAddsToTheRightSection) {
    store("; installed\n[Welcome]\nUses=3\n\n[Cpn]\nCp1=317C\n");
    ASSERT_TRUE(settings.writeIni("Welcome", "Extra", "y"));
    ASSERT_TRUE(settings.writeIni("Main", "DisplayOnStart", "True"));
    EXPECT_EQ(fileText(), "; installed\n[Welcome]\nUses=3\nExtra=y\n\n[Cpn]\nCp1=317C\n[Main]\n"
                          "DisplayOnStart=True\n");
}

TEST_F(SettingsFileTest, BlanksAndQuotesAroundValuesAreDropped) {
    store("[A]\n  key  =   value with inner  blanks   \nq=\"quoted\"\n");
    EXPECT_EQ(settings.readIni("a", "KEY", "", 100), "value with inner  blanks");
    EXPECT_EQ(settings.readIni("A", "q", "", 100), "quoted");
}

TEST_F(SettingsFileTest, CutNeverSplitsAMultibyteCharacter) {
    ASSERT_TRUE(settings.writeIni("A", "k", "caf\xC3\xA9s"));
    EXPECT_EQ(settings.readIni("A", "k", "", 5), "caf\xC3\xA9");
}

TEST_F(SettingsFileTest, NewFileIsOwnerOnlyAndLeavesNoTemporaryFile) {
    ASSERT_TRUE(settings.writeIni("A", "k", "v"));
    struct stat info {};
    ASSERT_EQ(::stat(settings.path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator{}),
              1);
}

TEST_F(SettingsFileTest, FailedWriteIsReportedAndOldFileKept) {
    store("[A]\nk=old\n");
    ::chmod(dir.path().c_str(), 0500);
    const bool written = settings.writeIni("A", "k", "new");
    ::chmod(dir.path().c_str(), 0700);
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root ignores folder permissions";
    }
    EXPECT_FALSE(written);
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].location, "MutPwi");
    EXPECT_EQ(settings.readIni("A", "k", "", 10), "old");
}

TEST_F(SettingsFileTest, WriteIntoAFolderThatIsAFileIsReported) {
    fakes::TempDir other;
    store("x");
    SettingsFile broken(settings.path() / "mouse.ini", errors);
    EXPECT_FALSE(broken.writeIni("A", "k", "v"));
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].location, "MutPwi");
}

} // namespace
} // namespace kelvo
