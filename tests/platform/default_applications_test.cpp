#include "platform/default_applications.h"

#include "fakes/fake_environment.h"
#include "fakes/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

void write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

class DefaultApplication : public testing::Test {
protected:
    fs::path config() const { return m_dir / "config"; }
    fs::path data() const { return m_dir / "data"; }
    fs::path system() const { return m_dir / "system"; }

    void install(const fs::path& folder, const std::string& id, const std::string& extra = "") {
        write(folder / "applications" / id,
              "[Desktop Entry]\nType=Application\nName=" + id + "\nExec=" + id + " %U\n" + extra);
    }
    std::string defaultFor(const std::string& type) const {
        const Environment env = fakes::environmentOf({{"HOME", (m_dir / "home").string()},
                                                      {"XDG_CONFIG_HOME", config().string()},
                                                      {"XDG_CONFIG_DIRS", (m_dir / "etc").string()},
                                                      {"XDG_DATA_HOME", data().string()},
                                                      {"XDG_DATA_DIRS", system().string()},
                                                      {"XDG_CURRENT_DESKTOP", "Test:Other"},
                                                      {"PATH", "/usr/bin:/bin"}});
        auto entry = defaultApplicationFor(env, type);
        return entry ? entry->file.filename().string() : "none";
    }

    fakes::TempDir m_dir;
};

TEST_F(DefaultApplication, UsersChoiceFirstAndOnlyInstalledApplications) {
    install(system(), "system.desktop");
    install(system(), "hidden.desktop", "Hidden=true\n");
    install(system(), "gone.desktop", "TryExec=/no/such/program\n");
    install(data(), "mine.desktop");
    write(system() / "applications" / "mimeinfo.cache",
          "[MIME Cache]\naudio/mpeg=gone.desktop;system.desktop;\n");
    EXPECT_EQ(defaultFor("audio/mpeg"), "system.desktop") << "the desktop database at last";
    EXPECT_EQ(defaultFor("audio/flac"), "none");

    write(system() / "applications" / "mimeapps.list",
          "[Added Associations]\naudio/mpeg=hidden.desktop;mine.desktop;\n");
    EXPECT_EQ(defaultFor("audio/mpeg"), "mine.desktop");
    write(config() / "mimeapps.list", "[Removed Associations]\naudio/mpeg=mine.desktop;\n");
    EXPECT_EQ(defaultFor("audio/mpeg"), "system.desktop");

    // What `xdg-mime default` writes; the desktop's own list comes first.
    write(config() / "mimeapps.list",
          "[Default Applications]\naudio/mpeg=missing.desktop;mine.desktop\n");
    EXPECT_EQ(defaultFor("audio/mpeg"), "mine.desktop");
    write(config() / "test-mimeapps.list", "[Default Applications]\naudio/mpeg=system.desktop\n");
    EXPECT_EQ(defaultFor("audio/mpeg"), "system.desktop");
    // The user's own copy of an entry stands over the system's.
    install(data(), "system.desktop", "Hidden=true\n");
    EXPECT_EQ(defaultFor("audio/mpeg"), "mine.desktop");
}

// A path ends at a NUL byte, so such an id would open the entry of its
// first part under a name that is no file.
TEST_F(DefaultApplication, AnIdWithANulByteNamesNoEntry) {
    install(data(), "mine.desktop");
    using namespace std::string_literals;
    write(config() / "mimeapps.list", "[Default Applications]\naudio/mpeg=mine.desktop\0.bak;\n"s);
    EXPECT_EQ(defaultFor("audio/mpeg"), "none");
}

} // namespace
} // namespace kelvo
