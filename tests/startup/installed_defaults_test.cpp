#include "startup/installed_defaults.h"

#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "services/hex_coding.h"
#include "services/ini_document.h"
#include "speech/custom_command_store.h"
#include "test_paths.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

TEST(InstalledDefaultsTest, CopiesOnlyMissingFiles) {
    fakes::TempDir dir;
    ASSERT_TRUE(writeFileAtomically(dir / "defaults" / "mouse.ini", "[Welcome]\nUses=x\n").ok());
    ASSERT_TRUE(writeFileAtomically(dir / "defaults" / "commands.xml", "<commands/>").ok());
    ASSERT_TRUE(writeFileAtomically(dir / "data" / "mouse.ini", "[Welcome]\nUses=7\n").ok());
    fs::create_symlink(dir / "nowhere", dir / "data" / "commands.xml");
    ASSERT_TRUE(writeFileAtomically(dir / "defaults" / "min.xml", "<Grammar/>").ok());

    std::vector<std::string> names;
    ASSERT_TRUE(installMissingDefaults(dir / "defaults", dir / "data", names).ok());
    EXPECT_EQ(names, std::vector<std::string>{"min.xml"});
    EXPECT_EQ(readWholeFile(dir / "data" / "mouse.ini").value(), "[Welcome]\nUses=7\n");
    EXPECT_TRUE(fs::is_symlink(dir / "data" / "commands.xml"));
    EXPECT_EQ(readWholeFile(dir / "data" / "min.xml").value(), "<Grammar/>");

    ASSERT_TRUE(installMissingDefaults(dir / "defaults", dir / "data", names).ok());
    EXPECT_TRUE(names.empty());
}

TEST(InstalledDefaultsTest, MakesTheDataFolder) {
    fakes::TempDir dir;
    ASSERT_TRUE(writeFileAtomically(dir / "defaults" / "mouse.ini", "x").ok());
    std::vector<std::string> names;
    ASSERT_TRUE(installMissingDefaults(dir / "defaults", dir / "a" / "b" / "kelvo", names).ok());
    EXPECT_TRUE(fs::exists(dir / "a" / "b" / "kelvo" / "mouse.ini"));
}

TEST(InstalledDefaultsTest, MissingDefaultsAreAnError) {
    fakes::TempDir dir;
    std::vector<std::string> names;
    const Status status = installMissingDefaults(dir / "none", dir / "data", names);
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message().find("none"), std::string::npos);
}

// The shipped defaults hold what a start needs.
TEST(ShippedDefaultsTest, SettingsHoldTheRequiredValues) {
    const fs::path defaults = fs::path(KELVO_RESOURCES_DIR) / kInstalledDefaultsFolder;
    auto text = readWholeFile(defaults / "mouse.ini");
    ASSERT_TRUE(text.ok());
    IniDocument ini(*text);
    const auto uses = ini.value("Welcome", "Uses");
    ASSERT_TRUE(uses.has_value());
    EXPECT_TRUE(*uses == "x" || uses->find_first_not_of("0123456789") == std::string::npos);
    for (int k = 1; k <= 4; ++k) {
        const auto coupon = ini.value("Cpn", "Cp" + std::to_string(k));
        ASSERT_TRUE(coupon.has_value()) << k;
        auto decoded = decodeHex(*coupon);
        ASSERT_TRUE(decoded.ok()) << k;
        EXPECT_NE(decoded->find('|'), std::string::npos) << k;
    }
    EXPECT_EQ(ini.value("Etowah", "s"), "x");
    EXPECT_EQ(ini.value("Yazoo", "Random"), "x");
    EXPECT_EQ(ini.value("Ohio", "First"), "x");
    for (const char* place : {"home", "office", "cafe", "travel", "other", "location"}) {
        EXPECT_EQ(ini.value("Lobuteha", place), "x") << place;
    }
}

TEST(ShippedDefaultsTest, XmlFilesAreValid) {
    const fs::path defaults = fs::path(KELVO_RESOURCES_DIR) / kInstalledDefaultsFolder;
    auto store = readCustomCommandStore(defaults / "commands_customfree.xml");
    ASSERT_TRUE(store.ok());
    EXPECT_TRUE(store->empty());
    for (const char* grammar : {"en_CLICK.XML", "en_CLICK_mute.XML", "min.xml"}) {
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_file((defaults / grammar).c_str())) << grammar;
        EXPECT_TRUE(doc.child("Grammar")) << grammar;
    }
    pugi::xml_document catalogue;
    EXPECT_TRUE(catalogue.load_file((defaults / "commands.xml").c_str()));
    pugi::xml_document store_doc;
    ASSERT_TRUE(store_doc.load_file((defaults / "commands_customfree.xml").c_str()));
    EXPECT_TRUE(store_doc.child("cset"));
}

} // namespace
} // namespace kelvo
