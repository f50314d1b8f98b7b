#include "integrations/music/media_tags.h"

#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "platform/folder_watcher.h"

#include <gtest/gtest.h>

#include <tpropertymap.h>
#include <wavfile.h>

#include <chrono>
#include <cstdint>
#include <future>
#include <stop_token>
#include <string>
#include <sys/stat.h>
#include <thread>

namespace kelvo {
namespace {

/// A short silent PCM file, as a recorder writes one.
std::string silentWav() {
    const std::uint32_t samples = 800;
    std::string bytes;
    const auto put32 = [&bytes](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
    };
    const auto put16 = [&bytes](std::uint16_t v) {
        bytes.push_back(static_cast<char>(v & 0xFF));
        bytes.push_back(static_cast<char>(v >> 8));
    };
    bytes += "RIFF";
    put32(36 + samples * 2);
    bytes += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(8000);
    put32(16000);
    put16(2);
    put16(16);
    bytes += "data";
    put32(samples * 2);
    bytes.append(samples * 2, '\0');
    return bytes;
}

TEST(MediaTags, ReadsWhatATaggerWrote) {
    fakes::TempDir dir;
    const auto file = dir / "tagged.wav";
    ASSERT_TRUE(writeFileAtomically(file, silentWav()));
    {
        TagLib::RIFF::WAV::File wav(file.c_str());
        ASSERT_TRUE(wav.isValid());
        TagLib::PropertyMap properties;
        properties["TITLE"] =
            TagLib::StringList(TagLib::String("Blue in Green", TagLib::String::UTF8));
        properties["ARTIST"] = TagLib::StringList(TagLib::String("Miles Davis"));
        properties["ALBUM"] = TagLib::StringList(TagLib::String("Kind of Blue"));
        properties["COMPOSER"] = TagLib::StringList(TagLib::String("Bill Evans"));
        properties["TRACKNUMBER"] = TagLib::StringList(TagLib::String("3/5"));
        properties["DISCNUMBER"] = TagLib::StringList(TagLib::String("2/2"));
        wav.setProperties(properties);
        ASSERT_TRUE(wav.save());
    }
    const MediaTags tags = readMediaTags(file);
    EXPECT_EQ(tags.title, "Blue in Green");
    EXPECT_EQ(tags.artist, "Miles Davis");
    EXPECT_EQ(tags.album, "Kind of Blue");
    EXPECT_EQ(tags.composer, "Bill Evans");
    EXPECT_EQ(tags.track, 3);
    EXPECT_EQ(tags.disc, 2);
    EXPECT_FALSE(tags.tvShow);
}

TEST(MediaTags, AFileThatIsNoMediaGivesNoTags) {
    fakes::TempDir dir;
    ASSERT_TRUE(writeFileAtomically(dir / "fake.mp3", "not really a song"));
    const MediaTags tags = readMediaTags(dir / "fake.mp3");
    EXPECT_TRUE(tags.title.empty());
    EXPECT_TRUE(tags.artist.empty());
    EXPECT_EQ(readMediaTags(dir / "missing.flac").track, 0);
}

TEST(MediaTags, ATrackIsNeverOpenedForWriting) {
    fakes::TempDir dir;
    ASSERT_TRUE(writeFileAtomically(dir / "tagged.wav", silentWav()));
    auto watcher = FolderWatcher::create();
    ASSERT_TRUE(watcher);
    ASSERT_TRUE((*watcher)->watch(dir.path()));
    (void)readMediaTags(dir / "tagged.wav");
    // A file opened for writing tells the folder's watchers it was written.
    EXPECT_TRUE((*watcher)->wait(std::chrono::milliseconds(100)).empty());
}

TEST(MediaTags, AFifoNamedAsATrackGivesNoTagsAtOnce) {
    fakes::TempDir dir;
    const auto fifo = dir / "Radio.mp3";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // On a thread of its own, so a reader left waiting for a writer fails
    // the test instead of holding it.
    std::packaged_task<MediaTags()> task([fifo] { return readMediaTags(fifo); });
    auto read = task.get_future();
    std::thread(std::move(task)).detach();
    ASSERT_EQ(read.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_TRUE(read.get().title.empty());
}

TEST(MediaTags, AStopEndsTheReading) {
    fakes::TempDir dir;
    const auto file = dir / "tagged.wav";
    ASSERT_TRUE(writeFileAtomically(file, silentWav()));
    {
        TagLib::RIFF::WAV::File wav(file.c_str());
        TagLib::PropertyMap properties;
        properties["TITLE"] = TagLib::StringList(TagLib::String("So What"));
        wav.setProperties(properties);
        ASSERT_TRUE(wav.save());
    }
    ASSERT_EQ(readMediaTags(file).title, "So What");
    // Once a quit asked to stop, no byte more is read, however long the
    // file: a 2 GB track no longer holds the quit.
    std::stop_source stop;
    stop.request_stop();
    EXPECT_TRUE(readMediaTags(file, stop.get_token()).title.empty());
}

} // namespace
} // namespace kelvo
