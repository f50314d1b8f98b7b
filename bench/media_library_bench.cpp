// The media index over a music folder of 20,000 tagged tracks (1,000
// artists, two albums of ten tracks each): building it with TagLib from
// nothing, reading the folders again when nothing changed, loading the
// saved index at start, and searching it by each field. The catalog's
// memory is reported as a counter. Watching 20,000 folders is timed apart.
#include "integrations/music/library_music_player.h"
#include "integrations/music/m3u_playlist.h"
#include "integrations/music/media_index_file.h"
#include "integrations/music/media_library.h"
#include "integrations/music/media_scan.h"
#include "integrations/music/mpris_player.h"
#include "platform/atomic_file.h"
#include "platform/folder_watcher.h"
#include "platform/speech/sphinx_decoder.h"
#include "platform/speech/sphinx_lexicon.h"
#include "platform/speech/sphinx_session.h"
#include "platform/speech/sphinx_vocabulary_grammar.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <tpropertymap.h>
#include <wavfile.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

constexpr int kArtists = 1000;
constexpr int kAlbumsEach = 2;
constexpr int kTracksEach = 10;

const std::array<const char*, 24> kWords = {
    "blue",  "river", "night",  "golden", "summer", "rain",   "city",    "heart",
    "fire",  "stone", "silver", "dream",  "ocean",  "wild",   "morning", "shadow",
    "light", "road",  "garden", "winter", "echo",   "velvet", "harbor",  "thunder"};

std::string name(int seed, int words) {
    std::string text;
    for (int i = 0; i < words; ++i) {
        seed = seed * 1103515245 + 12345;
        text +=
            (i ? " " : "") + std::string(kWords[static_cast<unsigned>(seed >> 8) % kWords.size()]);
    }
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string silentWav() {
    std::string bytes = "RIFF";
    const auto put32 = [&bytes](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
    };
    put32(36 + 200);
    bytes += "WAVEfmt ";
    put32(16);
    bytes += std::string("\x01\x00\x01\x00", 4);
    put32(8000);
    put32(16000);
    bytes += std::string("\x02\x00\x10\x00", 4);
    bytes += "data";
    put32(200);
    bytes.append(200, '\0');
    return bytes;
}

/// The music folder, made once for every benchmark.
class BenchFolder {
public:
    BenchFolder() {
        std::string pattern = (fs::temp_directory_path() / "kelvo-bench-XXXXXX");
        m_root = ::mkdtemp(pattern.data());
        folders.music = m_root / "Music";
        const std::string wav = silentWav();
        for (int artist = 0; artist < kArtists; ++artist) {
            const std::string artistName = name(artist, 2) + " " + std::to_string(artist);
            for (int album = 0; album < kAlbumsEach; ++album) {
                const std::string albumName = name(artist * 7 + album, 3);
                const fs::path folder = folders.music / artistName / albumName;
                fs::create_directories(folder);
                for (int track = 1; track <= kTracksEach; ++track) {
                    const fs::path file = folder / (std::to_string(track) + ".wav");
                    (void)writeFileAtomically(file, wav);
                    TagLib::RIFF::WAV::File tagged(file.c_str());
                    TagLib::PropertyMap tags;
                    tags["TITLE"] = TagLib::String(name(artist * 131 + album * 17 + track, 3));
                    tags["ARTIST"] = TagLib::String(artistName);
                    tags["ALBUM"] = TagLib::String(albumName);
                    tags["COMPOSER"] = TagLib::String(name(artist % 50, 2));
                    tags["TRACKNUMBER"] = TagLib::String(std::to_string(track));
                    tagged.setProperties(tags);
                    tagged.save();
                }
            }
        }
        items = scanMediaFolders(folders, nullptr, readMediaTags);
        catalog = std::make_unique<MediaCatalog>(items);
        indexText = mediaIndexText(items);
    }
    ~BenchFolder() {
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }

    MediaFolders folders;
    std::vector<MediaItem> items;
    std::unique_ptr<MediaCatalog> catalog;
    std::string indexText;

private:
    fs::path m_root;
};

BenchFolder& bench() {
    static BenchFolder folder;
    return folder;
}

void BM_IndexBuildWithTags(benchmark::State& state) {
    BenchFolder& folder = bench();
    for (auto _ : state) {
        MediaCatalog catalog(scanMediaFolders(folder.folders, nullptr, readMediaTags));
        benchmark::DoNotOptimize(catalog.items().data());
    }
    state.counters["tracks"] = static_cast<double>(folder.items.size());
}
BENCHMARK(BM_IndexBuildWithTags)->Unit(benchmark::kMillisecond)->Iterations(3);

// One watch a folder, each found by its name: 20,000 folders of one album
// each must not cost a lookup among all the others.
void BM_WatchManyFolders(benchmark::State& state) {
    const fs::path root = fs::temp_directory_path() / "kelvo-watch-bench";
    fs::remove_all(root);
    std::vector<fs::path> folders;
    for (int i = 0; i < 20000; ++i) {
        folders.push_back(root / ("Album " + std::to_string(i)));
        fs::create_directories(folders.back());
    }
    for (auto _ : state) {
        auto watcher = FolderWatcher::create();
        if (!watcher) {
            state.SkipWithError(watcher.error().message().c_str());
            break;
        }
        for (const fs::path& folder : folders) {
            if (!(*watcher)->watches(folder)) {
                (void)(*watcher)->watch(folder);
            }
        }
    }
    fs::remove_all(root);
}
BENCHMARK(BM_WatchManyFolders)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RescanUnchanged(benchmark::State& state) {
    BenchFolder& folder = bench();
    for (auto _ : state) {
        MediaCatalog catalog(scanMediaFolders(folder.folders, folder.catalog.get(), readMediaTags));
        benchmark::DoNotOptimize(catalog.items().data());
    }
}
BENCHMARK(BM_RescanUnchanged)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LoadSavedIndex(benchmark::State& state) {
    BenchFolder& folder = bench();
    for (auto _ : state) {
        auto items = parseMediaIndex(folder.indexText);
        MediaCatalog catalog(std::move(items).value());
        benchmark::DoNotOptimize(catalog.items().data());
    }
    state.counters["index_bytes"] = static_cast<double>(folder.indexText.size());
}
BENCHMARK(BM_LoadSavedIndex)->Unit(benchmark::kMillisecond);

void BM_CatalogMemory(benchmark::State& state) {
    BenchFolder& folder = bench();
    double bytes = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        auto catalog = std::make_unique<MediaCatalog>(folder.items);
        bytes = static_cast<double>(mallinfo2().uordblks - before);
        benchmark::DoNotOptimize(catalog.get());
    }
    state.counters["catalog_MiB"] = bytes / (1024.0 * 1024.0);
}
BENCHMARK(BM_CatalogMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Search(benchmark::State& state, SearchField field, std::string words) {
    BenchFolder& folder = bench();
    size_t hits = 0;
    for (auto _ : state) {
        hits = folder.catalog->search(MusicLibrary::All, field, words).size();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK_CAPTURE(BM_Search, all_one_word, SearchField::All, "thunder")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, all_two_words, SearchField::All, "golden river")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, artist, SearchField::Artists, name(417, 2) + " 417")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, album, SearchField::Albums, "winter echo")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, composer, SearchField::Composers, "stone")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, song, SearchField::SongNames, "no such song")
    ->Unit(benchmark::kMillisecond);

/// What a spoken search costs before the player is handed the playlist: the
/// search, the search playlist made anew and every hit written to it.
void BM_SearchIntoPlaylistFile(benchmark::State& state, std::string words) {
    BenchFolder& folder = bench();
    MediaLibrary library(folder.folders, folder.folders.music.parent_path() / "index.txt");
    library.start();
    (void)library.waitForScans(0, std::chrono::minutes(5));
    MprisPlayer nowhere;
    LibraryMusicPlayer player(nowhere, library, folder.folders.music.parent_path() / "lists");
    size_t hits = 0;
    for (auto _ : state) {
        auto found = player.searchLibrary(MusicLibrary::All, SearchField::All, words);
        auto lists = player.playlists();
        for (const MusicPlaylist& list : lists.value()) {
            if (list.name == "kelvo search") {
                (void)player.deletePlaylist(list);
            }
        }
        (void)player.createPlaylist("kelvo search");
        const MusicPlaylist search{mediaUri((folder.folders.music / "kelvo search.m3u").string()),
                                   "kelvo search", 0};
        (void)player.addTracks(search, found.value());
        hits = found->size();
    }
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK_CAPTURE(BM_SearchIntoPlaylistFile, two_words, std::string("golden river"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchIntoPlaylistFile, one_word, std::string("thunder"))
    ->Unit(benchmark::kMillisecond);

/// What the dictation of a spoken search is compiled from, and how long
/// that takes before the beep: the texts a search of each field can find.
void BM_SearchVocabulary(benchmark::State& state, SearchField field) {
    using namespace speech;
    BenchFolder& folder = bench();
    SphinxDecoderOptions options;
    options.model = installedSphinxModel();
    auto decoder = SphinxDecoder::create(options);
    if (!decoder) {
        state.SkipWithError(decoder.error().message().c_str());
        return;
    }
    std::string dictionary;
    if (auto text = readWholeFile(KELVO_RESOURCES_DIR "/speech/kelvo.dict")) {
        dictionary = *text;
    }
    (void)prepareCommandDecoder(**decoder, dictionary);
    DecoderLexicon lexicon(**decoder, EspeakPronouncer(), DecoderLexicon::defaultAccentVoices());
    const std::vector<std::string> texts = folder.catalog->phrases(MusicLibrary::All, field);
    for (auto _ : state) {
        SphinxCommandGrammar grammar =
            compileVocabulary(texts, lexicon, (*decoder)->logmath(), SphinxVocabularyOptions{});
        benchmark::DoNotOptimize(&grammar);
    }
    state.counters["texts"] = static_cast<double>(texts.size());
    state.counters["runs"] = static_cast<double>(vocabularyRuns(texts).size());
}
BENCHMARK_CAPTURE(BM_SearchVocabulary, artists, SearchField::Artists)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_SearchVocabulary, all, SearchField::All)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
} // namespace kelvo
