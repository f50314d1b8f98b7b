#include "platform/atomic_file.h"

#include "fakes/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kelvo {
namespace {

mode_t modeOf(const std::filesystem::path& file) {
    struct stat info {};
    EXPECT_EQ(::stat(file.c_str(), &info), 0);
    return info.st_mode & 0777;
}

TEST(AtomicFileTest, WritesNewFileOwnerOnlyAndCreatesTheFolder) {
    fakes::TempDir dir;
    const auto target = dir / "a/b/file.txt";
    ASSERT_TRUE(writeFileAtomically(target, "hello").ok());
    EXPECT_EQ(readWholeFile(target).value(), "hello");
    EXPECT_EQ(modeOf(target), 0600u);
}

TEST(AtomicFileTest, RewriteKeepsTheModeAndLeavesNoTemporaryFile) {
    fakes::TempDir dir;
    const auto target = dir / "file.txt";
    ASSERT_TRUE(writeFileAtomically(target, "one").ok());
    ::chmod(target.c_str(), 0644);
    ASSERT_TRUE(writeFileAtomically(target, std::string(100000, 'x')).ok());
    EXPECT_EQ(modeOf(target), 0644u);
    EXPECT_EQ(readWholeFile(target).value().size(), 100000u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator{}),
              1);
}

TEST(AtomicFileTest, FailureLeavesTheOldFile) {
    fakes::TempDir dir;
    const auto target = dir / "file.txt";
    ASSERT_TRUE(writeFileAtomically(target, "old").ok());
    // A non-empty folder in the way of the rename makes the write fail.
    const auto blocked = dir / "blocked";
    std::filesystem::create_directories(blocked / "inner");
    const Status status = writeFileAtomically(blocked, "new");
    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(status.message().empty());
    EXPECT_TRUE(std::filesystem::is_directory(blocked / "inner"));
    EXPECT_EQ(readWholeFile(target).value(), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator{}),
              2);
}

TEST(AtomicFileTest, MissingFileIsFileNotFound) {
    fakes::TempDir dir;
    const auto result = readWholeFile(dir / "absent");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().number(), 53);
}

TEST(AtomicFileTest, CopyReplacesTheTargetWhole) {
    fakes::TempDir dir;
    ASSERT_TRUE(writeFileAtomically(dir / "src", "content").ok());
    ASSERT_TRUE(writeFileAtomically(dir / "dst", "old content that is longer").ok());
    ASSERT_TRUE(copyFileAtomically(dir / "src", dir / "dst").ok());
    EXPECT_EQ(readWholeFile(dir / "dst").value(), "content");
    EXPECT_FALSE(copyFileAtomically(dir / "absent", dir / "dst").ok());
    EXPECT_EQ(readWholeFile(dir / "dst").value(), "content");
}

} // namespace
} // namespace kelvo
