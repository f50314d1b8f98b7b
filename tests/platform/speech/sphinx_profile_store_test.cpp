#include "platform/speech/sphinx_profile_store.h"

#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "services/error_sink.h"

#include <gtest/gtest.h>

namespace kelvo::speech {
namespace {

TEST(SphinxProfileStore, ProfilesKeepTheirOrderAndTheFirstIsDefault) {
    fakes::TempDir dir;
    SphinxProfileStore store(dir / "profiles");
    EXPECT_TRUE(store.profiles()->empty());
    EXPECT_FALSE(store.defaultProfile().ok());

    auto anna = store.create("Anna");
    auto ben = store.create("Ben");
    ASSERT_TRUE(anna.ok() && ben.ok());
    EXPECT_NE(anna->id, ben->id);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "profiles" / anna->id));

    SphinxProfileStore again(dir / "profiles"); // read back from disk
    auto all = again.profiles();
    ASSERT_EQ(all->size(), 2u);
    EXPECT_EQ((*all)[0].description, "Anna");
    EXPECT_EQ((*all)[1].description, "Ben");
    EXPECT_EQ(again.defaultProfile()->id, anna->id);

    ASSERT_TRUE(again.setDefault(ben->id).ok());
    EXPECT_EQ(store.defaultProfile()->description, "Ben");
    EXPECT_FALSE(store.setDefault("0123").ok());
    EXPECT_EQ(store.defaultProfile()->description, "Ben");
}

TEST(SphinxProfileStore, DamagedIndexIsReadSafely) {
    fakes::TempDir dir;
    SphinxProfileStore store(dir.path());
    auto anna = store.create("Anna");
    ASSERT_TRUE(anna.ok());
    std::string index = *readWholeFile(dir / "profiles.ini");
    index += "Profile=../../etc\nProfile=deadbeef\ngarbage line\n";
    ASSERT_TRUE(writeFileAtomically(dir / "profiles.ini", index).ok());
    auto all = store.profiles();
    ASSERT_TRUE(all.ok());
    ASSERT_EQ(all->size(), 1u); // the missing folder and the bad id are skipped
    EXPECT_EQ((*all)[0].id, anna->id);
    EXPECT_EQ(store.folderOf("../../etc"), std::filesystem::path());
    EXPECT_EQ(store.folderOf(anna->id), dir / anna->id);
}

TEST(SphinxProfileStore, AProfileWithADamagedNameIsLeftOut) {
    fakes::TempDir dir;
    SphinxProfileStore store(dir.path());
    auto anna = store.create("Anna");
    auto ben = store.create("Ben");
    auto cleo = store.create("Cleo");
    ASSERT_TRUE(anna.ok() && ben.ok() && cleo.ok());
    ASSERT_TRUE(writeFileAtomically(dir / ben->id / "name", "").ok());
    ASSERT_TRUE(writeFileAtomically(dir / cleo->id / "name", std::string("C\0\x01", 3)).ok());
    auto all = store.profiles();
    ASSERT_EQ(all->size(), 1u);
    EXPECT_EQ((*all)[0].description, "Anna");
}

// A disk that refuses the profile's folder (read-only, full, not a folder)
// is said in a box; any other number opened the error window that ends the
// program.
TEST(SphinxProfileStore, AFolderTheDiskRefusesIsReportedAsTheMachinesRefusal) {
    fakes::TempDir dir;
    ASSERT_TRUE(writeFileAtomically(dir / "file", "").ok());
    SphinxProfileStore store(dir / "file" / "profiles");
    auto anna = store.create("Anna");
    ASSERT_FALSE(anna.ok());
    EXPECT_TRUE(error_number::isMachineRefusal(anna.error().number())) << anna.error().number();
}

} // namespace
} // namespace kelvo::speech
