#include "platform/special_folders.h"

#include "fakes/fake_environment.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "test_paths.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

class SpecialFoldersTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fs::path home = dir / "home";
    fs::path builtIn = dir / "source" / "resources";

    std::unique_ptr<SpecialFolders> folders(std::map<std::string, std::string, std::less<>> vars,
                                            fs::path executable = {}) {
        return makeXdgFolders(fakes::environmentOf(std::move(vars)), std::move(executable),
                              builtIn);
    }
};

TEST_F(SpecialFoldersTest, DataFolderFollowsXdgDataHome) {
    EXPECT_EQ(folders({{"HOME", home.string()}})->dataFolder().value(),
              home / ".local/share/kelvo");
    EXPECT_EQ(
        folders({{"HOME", home.string()}, {"XDG_DATA_HOME", "/srv/data"}})->dataFolder().value(),
        fs::path("/srv/data/kelvo"));
    // A relative XDG value is ignored, as the XDG rules say.
    EXPECT_EQ(
        folders({{"HOME", home.string()}, {"XDG_DATA_HOME", "rel/data"}})->dataFolder().value(),
        home / ".local/share/kelvo");
}

TEST_F(SpecialFoldersTest, StartupFolderIsAutostartOfConfigHome) {
    EXPECT_EQ(folders({{"HOME", home.string()}})->startupFolder().value(),
              home / ".config/autostart");
    EXPECT_EQ(folders({{"HOME", home.string()}, {"XDG_CONFIG_HOME", (dir / "cfg").string()}})
                  ->startupFolder()
                  .value(),
              dir / "cfg" / "autostart");
}

TEST_F(SpecialFoldersTest, DocumentsFolderDefaultsToHomeDocumentsAndIsCreated) {
    auto documents = folders({{"HOME", home.string()}})->documentsFolder();
    ASSERT_TRUE(documents.ok()) << documents.error().message();
    EXPECT_EQ(*documents, home / "Documents");
    EXPECT_TRUE(fs::is_directory(*documents));
}

TEST_F(SpecialFoldersTest, DocumentsFolderComesFromUserDirs) {
    ASSERT_TRUE(writeFileAtomically(home / ".config/user-dirs.dirs",
                                    "# written by xdg-user-dirs-update\n"
                                    "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                    "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n")
                    .ok());
    auto documents = folders({{"HOME", home.string()}})->documentsFolder();
    ASSERT_TRUE(documents.ok());
    EXPECT_EQ(*documents, home / "Dokumente");
    EXPECT_TRUE(fs::is_directory(*documents));
}

TEST(UserDirsTest, ReadsTheDocumentsLine) {
    const fs::path home = "/home/ann";
    struct Case {
        std::string text;
        std::optional<fs::path> expected;
    };
    const std::vector<Case> cases = {
        {"XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n", home / "Docs"},
        {"XDG_DOCUMENTS_DIR=\"$HOME/My Files/Docs\"\r\n", home / "My Files/Docs"},
        {"  XDG_DOCUMENTS_DIR=\"/data/docs\"", fs::path("/data/docs")},
        {"XDG_DOCUMENTS_DIR=\"$HOME/\"\n", home},
        {"XDG_DOCUMENTS_DIR=\"relative/docs\"\n", std::nullopt},
        {"XDG_DOCUMENTS_DIR=$HOME/Docs\n", std::nullopt},
        {"XDG_DOCUMENTS_DIR=\"$HOMEX/Docs\"\n", std::nullopt},
        {"XDG_MUSIC_DIR=\"$HOME/Music\"\n", std::nullopt},
        {"# XDG_DOCUMENTS_DIR=\"$HOME/Old\"\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(documentsDirFromUserDirs(c.text, home), c.expected) << c.text;
    }
}

TEST_F(SpecialFoldersTest, ProgramFolderPrefersAnInstalledShareFolder) {
    const fs::path prefix = dir / "usr";
    const fs::path executable = prefix / "bin" / "kelvo";
    EXPECT_EQ(folders({{"HOME", home.string()}}, executable)->programFolder(), builtIn);
    fs::create_directories(prefix / "share" / "kelvo");
    EXPECT_EQ(folders({{"HOME", home.string()}}, executable)->programFolder(),
              prefix / "share" / "kelvo");
}

TEST(SystemFoldersTest, BuildTreeProgramFolderHoldsTheResources) {
    // The test binary is not installed, so the source tree's resources answer.
    EXPECT_EQ(makeSystemFolders()->programFolder(), fs::path(KELVO_RESOURCES_DIR));
}

} // namespace
} // namespace kelvo
