#include "platform/regular_file.h"

#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

TEST(RegularFile, ReadsRegularFilesOnlyAndNoLargerThanAsked) {
    fakes::TempDir dir;
    ASSERT_TRUE(writeFileAtomically(dir / "list.m3u", "/a.mp3\n"));
    fs::create_symlink(dir / "list.m3u", dir / "link.m3u");
    ASSERT_EQ(::mkfifo((dir / "fifo.m3u").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero.m3u");

    EXPECT_EQ(readRegularFile(dir / "link.m3u", 7).value(), "/a.mp3\n");
    // Refused at once, not read until a writer comes or memory runs out.
    for (const char* refused : {"fifo.m3u", "zero.m3u", "missing.m3u"}) {
        EXPECT_FALSE(readRegularFile(dir / refused, 1 << 20)) << refused;
    }
    EXPECT_EQ(readRegularFile(dir / "list.m3u", 6).error().number(), 75);
}

} // namespace
} // namespace kelvo
