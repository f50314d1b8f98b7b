#include "integrations/music/library_music_player.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_dispatch_host.h"
#include "fakes/fake_feedback_port.h"
#include "fakes/simulated_music_player.h"
#include "fakes/temp_dir.h"
#include "integrations/music/m3u_playlist.h"
#include "integrations/music/media_index_file.h"
#include "integrations/music/music_interpreter.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <future>

namespace kelvo {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

/// Keeps what the last dictation was told to expect.
class ExpectingGrammar : public speech::SpeechGrammar {
public:
    Status cmdLoadFromFile(const std::string&, speech::LoadOption) override { return {}; }
    Status cmdSetRuleIdState(int, speech::RuleState) override { return {}; }
    Status dictationLoad(const std::string&, speech::LoadOption) override {
        expected.clear();
        return {};
    }
    Status dictationLoadVocabulary(const std::vector<std::string>& phrases) override {
        expected = phrases;
        return {};
    }
    Status dictationSetState(speech::RuleState) override { return {}; }
    bool hasRule(const std::string&) const override { return true; }

    std::vector<std::string> expected;
};

/// Tags from the file's text ("artist|album|title") and its name (the
/// track number).
MediaTags textTags(const fs::path& file, std::stop_token) {
    MediaTags tags;
    tags.track = std::atoi(file.stem().c_str());
    auto text = readWholeFile(file);
    if (!text) {
        return tags;
    }
    const size_t first = text->find('|');
    const size_t second = text->find('|', first + 1);
    tags.artist = text->substr(0, first);
    tags.album = text->substr(first + 1, second - first - 1);
    tags.title = text->substr(second + 1);
    return tags;
}

/// The music commands over a music folder of its own, the index and the
/// library player in front of a simulated player.
struct LibraryRig {
    explicit LibraryRig(bool withMusicFolder = true)
        : library(
              {withMusicFolder ? root / "Music" : fs::path(), root / "Videos", root / "Podcasts"},
              root / "data/index.txt", textTags) {
        put("Music/Miles/02.flac", "Miles Davis|Kind of Blue|Freddie Freeloader");
        put("Music/Miles/01.flac", "Miles Davis|Kind of Blue|So What");
        put("Music/Ella/01.mp3", "Ella Fitzgerald|Songs|Blue Skies");
        put("Music/Podcasts/ep.mp3", "Host|Show|Episode");
        library.start();
        EXPECT_TRUE(library.waitForScans(0, 10s));
        host.grammarObject = &grammar;
    }
    void put(const std::string& name, const std::string& text) const {
        fs::create_directories((root / name).parent_path());
        ASSERT_TRUE(writeFileAtomically(root / name, text));
    }
    void say(const std::string& first, const std::string& second) {
        music.checkiTunes(first);
        music.checkiTunes(second);
    }
    std::vector<std::string> entriesOf(const fs::path& file) const {
        std::vector<std::string> out;
        auto text = readWholeFile(file);
        EXPECT_TRUE(text) << file;
        for (const PlaylistEntry& entry : parseM3u(text ? *text : "", file.parent_path())) {
            out.push_back(entry.title + " @ " +
                          fs::path(entry.location).lexically_relative(root.path()).string());
        }
        return out;
    }
    std::string lastBox() const {
        return dialogs.shown.empty() ? "" : dialogs.shown.back().message;
    }
    std::string lastCall() const { return inner.calls.empty() ? "" : inner.calls.back(); }

    fakes::TempDir root;
    MediaLibrary library;
    fakes::SimulatedMusicPlayer inner;
    LibraryMusicPlayer player{inner, library, root / "data/lists", 2s};
    ExpectingGrammar grammar;
    fakes::FakeDispatchHost host;
    fakes::FakeFeedbackPort feedback;
    fakes::FakeDialogPort dialogs;
    fakes::FakeAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    SpeechState speech;
    MusicState state;
    MusicInterpreter music{MusicParts{state, speech, player, feedback, boxes, app, host}};
};

TEST(LibraryMusicPlayer, ArtistSearchWritesAndPlaysTheSearchPlaylist) {
    LibraryRig rig;
    rig.say("search music artist", "miles davis");
    const fs::path search = rig.root / "Music/kelvo search.m3u";
    EXPECT_EQ(rig.entriesOf(search),
              (std::vector<std::string>{"Miles Davis - So What @ Music/Miles/01.flac",
                                        "Miles Davis - Freddie Freeloader @ Music/Miles/02.flac"}));
    EXPECT_EQ(rig.lastCall(), "open " + mediaUri(search.string()));
    EXPECT_EQ(rig.lastCall().find(' ', 5), std::string::npos);

    // The next search replaces it; one without a hit leaves it empty.
    rig.say("search music", "zzz");
    EXPECT_EQ(rig.lastBox(), "Your music search for 'zzz' did not return any items");
    EXPECT_TRUE(rig.entriesOf(search).empty());
}

TEST(LibraryMusicPlayer, PlayMusicHandsThePlayerTheMusicInLibraryOrder) {
    LibraryRig rig;
    rig.music.checkiTunes("play music");
    const fs::path list = rig.root / "data/lists/Music.m3u";
    EXPECT_EQ(rig.entriesOf(list),
              (std::vector<std::string>{"Ella Fitzgerald - Blue Skies @ Music/Ella/01.mp3",
                                        "Miles Davis - So What @ Music/Miles/01.flac",
                                        "Miles Davis - Freddie Freeloader @ Music/Miles/02.flac"}));
    EXPECT_EQ(rig.lastCall(), "open " + mediaUri(list.string()));

    // An empty library says so instead of playing nothing.
    rig.music.checkiTunes("movie library");
    EXPECT_EQ(rig.lastBox(), "There are no movies in your videos folder.");
    // The radio is the player's to show; one that cannot says what to do.
    rig.inner.failNextLibrary = Status::failure(music_error::kNotOffered, "no radio view");
    rig.music.checkiTunes("radio library");
    EXPECT_EQ(rig.lastBox(), "There are no radio stations: list their stream addresses in "
                             "\"Radio.m3u\" in your music folder.");
}

TEST(LibraryMusicPlayer, AnEmptyLibraryIsBelievedOnlyOnceTheFoldersWereRead) {
    fakes::TempDir root;
    // The index of a start that had no music folder yet.
    ASSERT_TRUE(saveMediaIndex(root / "data/index.txt", {}));
    fs::create_directories(root / "Music");
    ASSERT_TRUE(writeFileAtomically(root / "Music/01.mp3", "Miles Davis|Kind of Blue|So What"));
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    MediaLibrary library({root / "Music", root / "Videos", root / "Podcasts"},
                         root / "data/index.txt", [&](const fs::path& file, std::stop_token stop) {
                             released.wait_for(10s);
                             return textTags(file, stop);
                         });
    library.start();
    ASSERT_TRUE(library.waitForCatalog(10s));
    fakes::SimulatedMusicPlayer inner;
    LibraryMusicPlayer player{inner, library, root / "data/lists", 50ms};

    const std::string reading =
        "Your media folders are still being read.  Please try again in a moment.";
    EXPECT_EQ(player.showLibrary(MusicLibrary::Music).message(), reading);
    EXPECT_EQ(player.searchLibrary(MusicLibrary::All, SearchField::All, "miles").error().message(),
              reading);
    release.set_value();
    ASSERT_TRUE(library.waitForScans(0, 10s));
    EXPECT_TRUE(player.showLibrary(MusicLibrary::Music));
    EXPECT_EQ(player.showLibrary(MusicLibrary::Movies).message(),
              "There are no movies in your videos folder.");
}

TEST(LibraryMusicPlayer, CreatePlaylistWritesAFileAndNeverOverwritesOne) {
    LibraryRig rig;
    rig.say("create playlist", "Road Trip");
    const fs::path file = rig.root / "Music/Road Trip.m3u";
    auto text = readWholeFile(file);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "#EXTM3U\n");

    ASSERT_TRUE(appendM3uEntry(file, {"/music/song.mp3", "Song"}));
    rig.say("create playlist", "Road Trip");
    EXPECT_EQ(rig.lastBox(), "That playlist already exists");
    EXPECT_EQ(*readWholeFile(file), "#EXTM3U\n#EXTINF:-1,Song\n/music/song.mp3\n");

    // The name is taken at the last moment itself, not only looked at
    // before: a link to nowhere, which a look does not see, is kept.
    const fs::path late = rig.root / "Music/Late.m3u";
    fs::create_symlink(rig.root / "elsewhere.m3u", late);
    rig.say("create playlist", "Late");
    EXPECT_EQ(rig.lastBox(), "That playlist already exists");
    EXPECT_TRUE(fs::is_symlink(late));

    // A music folder that is not there yet (a fresh home) is made for it.
    fs::remove_all(rig.root / "Music");
    rig.say("create playlist", "First");
    EXPECT_TRUE(readWholeFile(rig.root / "Music/First.m3u")) << rig.lastBox();
}

TEST(LibraryMusicPlayer, WithoutAMusicFolderASearchIsRefusedBeforeItsWords) {
    LibraryRig rig(false);
    for (const char* phrase : {"search music", "search movies"}) {
        rig.music.checkiTunes(phrase);
        EXPECT_EQ(rig.lastBox(), "There is no music folder to keep the \"kelvo search\" "
                                 "playlist in.")
            << phrase;
        EXPECT_TRUE(rig.state.iTunesPendingMode.empty()) << phrase;
    }
    EXPECT_EQ(rig.host.count("beep 500 200"), 0);
}

TEST(LibraryMusicPlayer, PlaylistsAreTheMusicFolderFilesThenThePlayersOwn) {
    LibraryRig rig;
    rig.put("Music/Road Trip Extra.m3u", "/a.mp3\n");
    rig.put("Music/road trip.m3u8", "#EXTM3U\n/b.mp3\n/c.mp3\n");
    rig.put("Music/Empty.m3u", "#EXTM3U\n");
    auto lists = rig.player.playlists();
    ASSERT_TRUE(lists);
    std::vector<std::string> names;
    for (const MusicPlaylist& list : *lists) {
        names.push_back(list.name + ":" + std::to_string(list.trackCount));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Empty:0", "Road Trip Extra:1", "road trip:2",
                                               "Music:0", "Movies:0", "TV Shows:0", "Podcasts:0"}));

    // The exact name wins over an earlier name that contains it.
    rig.say("search music playlist", "ROAD TRIP");
    EXPECT_EQ(rig.lastCall(), "open " + mediaUri((rig.root / "Music/road trip.m3u8").string()));
    // An empty playlist file has nothing to play.
    rig.say("search music playlist", "empty");
    EXPECT_EQ(rig.lastCall(), "attach");
    EXPECT_EQ(rig.lastBox(), "The playlist 'Empty' has no tracks to play.");
    // A player's own playlist is the player's to play.
    rig.say("search music playlist", "tv shows");
    EXPECT_EQ(rig.lastCall(), "select TV Shows");
}

TEST(LibraryMusicPlayer, DictationExpectsTheTextsTheSearchCanFind) {
    LibraryRig rig;
    rig.music.checkiTunes("search music artist");
    EXPECT_EQ(rig.grammar.expected,
              (std::vector<std::string>{"Ella Fitzgerald", "Host", "Miles Davis"}));
    rig.music.checkiTunes("miles");
    rig.music.checkiTunes("search music album");
    EXPECT_EQ(rig.grammar.expected, (std::vector<std::string>{"Kind of Blue", "Show", "Songs"}));
    rig.music.checkiTunes("songs");
    rig.put("Music/Road Trip.m3u", "#EXTM3U\n");
    rig.music.checkiTunes("search music playlist");
    EXPECT_EQ(rig.grammar.expected.front(), "Road Trip");
    rig.music.checkiTunes("road trip");
    // A store search can be for anything.
    rig.music.checkiTunes("search music store");
    EXPECT_TRUE(rig.grammar.expected.empty());
}

TEST(LibraryMusicPlayer, APathWithALineBreakIsLeftOutOfPlaylists) {
    const std::vector<PlaylistEntry> entries = {
        {"/m/one.mp3", "One"}, {"/m/two\n/m/three.mp3", "Two"}, {"/m/four\r.mp3", ""}};
    EXPECT_EQ(m3uText(entries), "#EXTM3U\n#EXTINF:-1,One\n/m/one.mp3\n");
    fakes::TempDir dir;
    const fs::path list = dir / "list.m3u";
    ASSERT_TRUE(writeFileAtomically(list, "#EXTM3U\n"));
    ASSERT_TRUE(appendM3uEntries(list, entries));
    EXPECT_EQ(*readWholeFile(list), "#EXTM3U\n#EXTINF:-1,One\n/m/one.mp3\n");
}

TEST(LibraryMusicPlayer, FileAddressesRoundTripThroughOddCharacters) {
    const std::string path = "/home/u/Music/AC/DC – 100% «live» #1?.m3u";
    const std::string uri = mediaUri(path);
    EXPECT_EQ(uri.find_first_of(" #?"), std::string::npos);
    EXPECT_EQ(pathOfFileUri(uri), path);
    EXPECT_EQ(mediaUri("http://radio.example/stream"), "http://radio.example/stream");
}

} // namespace
} // namespace kelvo
