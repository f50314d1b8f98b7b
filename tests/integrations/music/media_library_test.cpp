#include "integrations/music/media_library.h"

#include "fakes/temp_dir.h"
#include "integrations/music/media_index_file.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <future>
#include <map>
#include <sys/stat.h>
#include <thread>

namespace kelvo {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

/// Tags from the file's own text ("artist|title"), and how often files
/// were read.
struct TextTags {
    MediaTags operator()(const fs::path& file, std::stop_token = {}) const {
        ++*reads;
        MediaTags tags;
        auto text = readWholeFile(file);
        if (text && text->find('|') != std::string::npos) {
            tags.artist = text->substr(0, text->find('|'));
            tags.title = text->substr(text->find('|') + 1);
        }
        return tags;
    }
    std::shared_ptr<std::atomic<int>> reads = std::make_shared<std::atomic<int>>(0);
};

struct LibraryRig {
    LibraryRig() {
        folders = {root / "Music", root / "Videos", root / "Podcasts"};
        put("Music/Miles/So What.flac", "Miles Davis|So What");
        put("Music/cover.jpg", "not media");
        put("Music/.hidden/Secret.mp3", "Nobody|Secret");
        put("Music/Podcasts/Show/Episode 1.mp3", "Host|Episode 1");
        put("Podcasts/Talk.ogg", "Talker|Talk");
        put("Videos/Film.MKV", "|Film");
        put("Videos/TV Shows/Series/Pilot.mp4", "|Pilot");
        put("Music/Radio.m3u", "#EXTM3U\n#EXTINF:-1,Jazz FM\nhttp://jazz.example/stream\n"
                               "http://bare.example/\n");
    }
    void put(const std::string& name, const std::string& text) const {
        fs::create_directories((root / name).parent_path());
        ASSERT_TRUE(writeFileAtomically(root / name, text));
    }
    std::map<std::string, MediaKind> kinds(const MediaCatalog& catalog) const {
        std::map<std::string, MediaKind> out;
        for (const MediaItem& item : catalog.items()) {
            const bool station = item.kind == MediaKind::Radio;
            out[station ? item.location
                        : fs::path(item.location).lexically_relative(root.path()).string()] =
                item.kind;
        }
        return out;
    }
    std::unique_ptr<MediaLibrary> started() const {
        auto library = std::make_unique<MediaLibrary>(folders, root / "data/index.txt", tags);
        library->start();
        EXPECT_TRUE(library->waitForScans(0, 10s));
        return library;
    }

    fakes::TempDir root;
    MediaFolders folders;
    TextTags tags;
};

TEST(MediaScan, SortsEachFileIntoItsLibraryAndReadsTheStations) {
    LibraryRig rig;
    const MediaCatalog catalog(scanMediaFolders(rig.folders, nullptr, rig.tags));
    const std::map<std::string, MediaKind> expected = {
        {"Music/Miles/So What.flac", MediaKind::Music},
        {"Music/Podcasts/Show/Episode 1.mp3", MediaKind::Podcast},
        {"Podcasts/Talk.ogg", MediaKind::Podcast},
        {"Videos/Film.MKV", MediaKind::Movie},
        {"Videos/TV Shows/Series/Pilot.mp4", MediaKind::Tv},
        {"http://jazz.example/stream", MediaKind::Radio},
        {"http://bare.example/", MediaKind::Radio},
    };
    EXPECT_EQ(rig.kinds(catalog), expected);
    EXPECT_EQ(catalog.find("http://jazz.example/stream")->title, "Jazz FM");
    // A file without a title tag is named after the file.
    EXPECT_EQ(catalog.find((rig.root / "Videos/Film.MKV").string())->title, "Film");
}

TEST(MediaScan, ReadsTagsOnlyOfNewOrChangedFiles) {
    LibraryRig rig;
    const MediaCatalog first(scanMediaFolders(rig.folders, nullptr, rig.tags));
    const int firstReads = *rig.tags.reads;
    EXPECT_EQ(firstReads, 5);
    rig.put("Music/Miles/So What.flac", "Miles Davis|So What (take 2)");
    const MediaCatalog second(scanMediaFolders(rig.folders, &first, rig.tags));
    EXPECT_EQ(*rig.tags.reads, firstReads + 1);
    EXPECT_EQ(second.search(MusicLibrary::Music, SearchField::SongNames, "take").size(), 1u);
}

TEST(MediaScan, AVideoTaggedAsAnEpisodeStaysOneWhenReadAgain) {
    LibraryRig rig;
    const TagReader episodes = [](const fs::path&, std::stop_token) {
        MediaTags tags;
        tags.tvShow = true;
        return tags;
    };
    const MediaCatalog first(scanMediaFolders(rig.folders, nullptr, episodes));
    const MediaCatalog second(scanMediaFolders(rig.folders, &first, episodes));
    for (const MediaCatalog* catalog : {&first, &second}) {
        EXPECT_EQ(catalog->find((rig.root / "Videos/Film.MKV").string())->kind, MediaKind::Tv);
    }
}

TEST(MediaScan, PassesOverAFifoOrDeviceWhereAPlaylistOrTrackIsExpected) {
    LibraryRig rig;
    fs::remove(rig.root / "Music/Radio.m3u");
    ASSERT_EQ(::mkfifo((rig.root / "Music/Radio.m3u").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((rig.root / "Music/Miles/Pipe.flac").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", rig.root / "Music/Miles/Zero.mp3");
    // On a thread of its own, so a scan left waiting for a writer fails the
    // test instead of holding it.
    std::packaged_task<std::vector<MediaItem>()> task([folders = rig.folders, tags = rig.tags] {
        return scanMediaFolders(folders, nullptr, tags);
    });
    auto scan = task.get_future();
    std::thread(std::move(task)).detach();
    ASSERT_EQ(scan.wait_for(5s), std::future_status::ready);
    const MediaCatalog catalog(scan.get());
    EXPECT_TRUE(catalog.library(MusicLibrary::Radio).empty());
    EXPECT_EQ(catalog.library(MusicLibrary::Music).size(), 1u);
}

TEST(MediaLibrary, StartsFromTheSavedIndexAndSavesWhatItFinds) {
    LibraryRig rig;
    {
        auto library = rig.started();
        EXPECT_EQ(library->catalog()->items().size(), 7u);
    }
    auto saved = loadMediaIndex(rig.root / "data/index.txt");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->size(), 7u);
    // A second start has the saved index at once and reads no file again.
    const int reads = *rig.tags.reads;
    auto again = rig.started();
    EXPECT_EQ(*rig.tags.reads, reads);
    EXPECT_EQ(again->catalog()->items().size(), 7u);
}

TEST(MediaLibrary, ReadsTheFoldersAgainWhenAFileArrivesOrGoes) {
    LibraryRig rig;
    auto library = rig.started();
    const std::uint64_t scans = library->scans();
    // In a folder made after the start, as a copied album is.
    rig.put("Music/New Album/Track.mp3", "Newcomer|Arrival");
    ASSERT_TRUE(library->waitForScans(scans, 10s));
    auto catalog = library->catalog();
    EXPECT_EQ(catalog->search(MusicLibrary::Music, SearchField::Artists, "newcomer").size(), 1u);

    const std::uint64_t later = library->scans();
    fs::remove(rig.root / "Music/Miles/So What.flac");
    ASSERT_TRUE(library->waitForScans(later, 10s));
    EXPECT_TRUE(library->catalog()->search(MusicLibrary::All, SearchField::All, "miles").empty());
}

TEST(MediaLibrary, FindsAMusicFolderMadeAfterTheStart) {
    LibraryRig rig;
    fs::remove_all(rig.root / "Music");
    auto library = rig.started();
    const std::uint64_t scans = library->scans();
    rig.put("Music/Late/Song.mp3", "Latecomer|Song");
    ASSERT_TRUE(library->waitForScans(scans, 10s));
    EXPECT_EQ(library->catalog()->search(MusicLibrary::Music, SearchField::Artists, "late").size(),
              1u);
}

TEST(MediaLibrary, StoppingEndsAFirstScanInTheFileItReadsAndSavesNothing) {
    LibraryRig rig;
    std::promise<void> entered;
    std::atomic<int> reads = 0;
    bool stopSeen = false;
    {
        MediaLibrary library(rig.folders, rig.root / "data/index.txt",
                             [&](const fs::path& file, std::stop_token stop) {
                                 if (reads++ == 0) {
                                     entered.set_value();
                                     // A long file: read until told to stop.
                                     std::mutex mutex;
                                     std::unique_lock lock(mutex);
                                     std::condition_variable_any().wait_for(lock, stop, 10s,
                                                                            [] { return false; });
                                     stopSeen = stop.stop_requested();
                                 }
                                 return rig.tags(file);
                             });
        library.start();
        entered.get_future().wait();
        library.stop();
        // Leaving the scope waits for the thread.
    }
    EXPECT_TRUE(stopSeen);
    EXPECT_EQ(reads, 1);
    EXPECT_FALSE(fs::exists(rig.root / "data/index.txt"));
}

} // namespace
} // namespace kelvo
