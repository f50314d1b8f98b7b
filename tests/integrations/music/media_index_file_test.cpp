#include "integrations/music/media_index_file.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(MediaIndexFile, KeepsEveryFieldThroughTabsLineBreaksAndBackslashes) {
    MediaItem odd;
    odd.location = "/music/a\tb\\c.mp3";
    odd.kind = MediaKind::Podcast;
    odd.title = "line\none\r";
    odd.artist = "back\\slash";
    odd.album = "";
    odd.composer = "x";
    odd.disc = 2;
    odd.track = 11;
    odd.modified = -5;
    odd.size = 1234567890123;
    auto read = parseMediaIndex(mediaIndexText({odd}));
    ASSERT_TRUE(read) << read.error().message();
    ASSERT_EQ(read->size(), 1u);
    const MediaItem& back = read->front();
    EXPECT_EQ(back.location, odd.location);
    EXPECT_EQ(back.kind, odd.kind);
    EXPECT_EQ(back.title, odd.title);
    EXPECT_EQ(back.artist, odd.artist);
    EXPECT_EQ(back.composer, odd.composer);
    EXPECT_EQ(back.disc, 2);
    EXPECT_EQ(back.track, 11);
    EXPECT_EQ(back.modified, -5);
    EXPECT_EQ(back.size, odd.size);
}

TEST(MediaIndexFile, RefusesAnotherFormatAndLeavesOutDamagedLines) {
    EXPECT_FALSE(parseMediaIndex("kelvo media index 0\n"));
    EXPECT_FALSE(parseMediaIndex(""));
    MediaItem good;
    good.location = "/m/good.mp3";
    std::string text = mediaIndexText({good});
    text += "9\t0\t0\t0\t0\t/m/badkind.mp3\t\t\t\t\n"; // no such kind
    text += "0\t0\t0\t0\t0\t/m/few\n";                 // fields missing
    text += "0\t0\t0\t0\t0\t/m/bad\\q\t\t\t\t\n";      // unknown escape
    text += mediaIndexText({good}).substr(text.find('\n') + 1);
    text += "0\t0\t0\t0\t0\t/m/cut"; // a crash cut the last line
    auto read = parseMediaIndex(text);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 2u);
    EXPECT_EQ((*read)[1].location, "/m/good.mp3");
}

} // namespace
} // namespace kelvo
