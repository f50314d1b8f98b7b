#include "platform/instance_lock.h"

#include "fakes/fake_environment.h"
#include "fakes/temp_dir.h"
#include "platform/shell.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

TEST(InstanceLockTest, SecondHolderIsRefusedUntilTheFirstEnds) {
    fakes::TempDir dir;
    auto first = FileInstanceLock::create(fakes::environmentOf({{"XDG_RUNTIME_DIR", dir.path()}}));
    ASSERT_TRUE(first.ok()) << first.error().message();
    EXPECT_EQ((*first)->path(), dir / "kelvo.lock");
    ASSERT_TRUE((*first)->tryAcquire().ok());
    EXPECT_TRUE((*first)->tryAcquire().value());
    // Asking again keeps it.
    EXPECT_TRUE((*first)->tryAcquire().value());

    auto second = FileInstanceLock::createAt(dir / "kelvo.lock");
    ASSERT_TRUE(second.ok());
    EXPECT_FALSE((*second)->tryAcquire().value());

    first = Status::failure(0, "released");
    EXPECT_TRUE((*second)->tryAcquire().value());
}

TEST(InstanceLockTest, StartedProgramsDoNotKeepTheLock) {
    fakes::TempDir dir;
    auto lock = FileInstanceLock::createAt(dir / "kelvo.lock");
    ASSERT_TRUE(lock.ok());
    ASSERT_TRUE((*lock)->tryAcquire().value());
    auto shell = makeLinuxShell(processEnvironment());
    ASSERT_EQ(shell->startProgram("/bin/sleep", {"1"}), shell_result::kStarted);
    lock = Status::failure(0, "released");

    auto next = FileInstanceLock::createAt(dir / "kelvo.lock");
    ASSERT_TRUE(next.ok());
    EXPECT_TRUE((*next)->tryAcquire().value());
}

TEST(InstanceLockTest, UnusableLockFileIsAnError) {
    fakes::TempDir dir;
    EXPECT_FALSE(FileInstanceLock::createAt(dir / "missing" / "kelvo.lock").ok());
    // A symbolic link is never followed.
    fs::create_symlink(dir / "target", dir / "link.lock");
    EXPECT_FALSE(FileInstanceLock::createAt(dir / "link.lock").ok());
    EXPECT_FALSE(fs::exists(dir / "target"));
}

TEST(InstanceLockTest, FallsBackToAPrivateTmpFolder) {
    auto lock = FileInstanceLock::create(fakes::environmentOf({}));
    ASSERT_TRUE(lock.ok()) << lock.error().message();
    EXPECT_EQ((*lock)->path().parent_path(), fs::path("/tmp/kelvo-" + std::to_string(::getuid())));
    const auto perms = fs::status((*lock)->path().parent_path()).permissions();
    EXPECT_EQ(perms & (fs::perms::group_all | fs::perms::others_all), fs::perms::none);
}

} // namespace
} // namespace kelvo
