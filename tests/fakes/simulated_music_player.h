#pragma once

#include "integrations/music/music_player.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// A music player held in memory: a library of tracks, its libraries and
/// user playlists, a radio, the transport and the window. Every call is
/// recorded as a short line ("next", "volume 50", "select Rock play").
/// Setting `running` false makes attach() fail as with no player; like the
/// players on the desktop it has no music store unless `ownStore` is set.
class SimulatedMusicPlayer : public MusicPlayer {
public:
    struct Track {
        std::string id;
        std::string name;
        std::string artist;
        std::string album;
        std::string composer;
        MusicLibrary library = MusicLibrary::Music;
    };
    struct Playlist {
        std::string id;
        std::string name;
        std::vector<std::string> trackIds;
    };

    SimulatedMusicPlayer() {
        for (const char* name : {"Music", "Movies", "TV Shows", "Podcasts"}) {
            addPlaylist(name);
        }
    }

    void addTrack(Track track) { tracks.push_back(std::move(track)); }
    Playlist& addPlaylist(const std::string& name, std::vector<std::string> ids = {}) {
        playlistsHeld.push_back({"p" + std::to_string(++m_nextId), name, std::move(ids)});
        return playlistsHeld.back();
    }
    const Playlist* findPlaylist(const std::string& name) const {
        for (const Playlist& playlist : playlistsHeld) {
            if (playlist.name == name) {
                return &playlist;
            }
        }
        return nullptr;
    }

    Status attach() override {
        calls.push_back("attach");
        if (!running) {
            return Status::failure(music_error::kNoPlayer, "No music player is installed.");
        }
        visible = true;
        if (!miniPlayer) {
            maximized = true;
        }
        return {};
    }
    Status offers(MusicStep step) override {
        const auto refused = refusedSteps.find(step);
        return refused == refusedSteps.end() ? Status{} : refused->second;
    }
    Status showLibrary(MusicLibrary library) override {
        calls.push_back("library " + std::to_string(static_cast<int>(library)));
        if (failNextLibrary) {
            Status failure = *failNextLibrary;
            failNextLibrary.reset();
            return failure;
        }
        return {};
    }
    Status toggleMiniPlayer() override {
        miniPlayer = !miniPlayer;
        return record("mini");
    }
    Status gotoStoreHome() override { return storeCall("store home"); }
    Status openStoreAddress(const std::string& address) override {
        return storeCall("store " + address);
    }
    Status restartTrack() override {
        position = 0;
        return record("restart");
    }
    Status nextTrack() override { return record("next"); }
    Status previousTrack() override { return record("previous"); }
    Status fastForward() override { return record("fast forward"); }
    Status rewind() override { return record("rewind"); }
    Status resume() override { return record("resume"); }
    Status pause() override { return record("pause"); }
    Status stop() override { return record("stop"); }
    Status setMuted(bool on) override {
        muted = on;
        return record(on ? "mute" : "unmute");
    }
    Status setVolume(int percent) override {
        volume = percent;
        return record("volume " + std::to_string(percent));
    }
    Status showPlayer() override {
        visible = true;
        miniPlayer = false;
        maximized = true;
        return record("show");
    }
    Status quit() override { return record("quit"); }

    Result<std::vector<MusicPlaylist>> playlists() override {
        if (failNext) {
            return takeFailure();
        }
        std::vector<MusicPlaylist> lists;
        for (const Playlist& playlist : playlistsHeld) {
            lists.push_back(
                {playlist.id, playlist.name, static_cast<int>(playlist.trackIds.size())});
        }
        return lists;
    }
    Status selectPlaylist(const MusicPlaylist& playlist, bool playFirst) override {
        selected = playlist.name;
        return record("select " + playlist.name + (playFirst ? " play" : ""));
    }
    Status createPlaylist(const std::string& name) override {
        if (failNextCreate) {
            Status failure = *failNextCreate;
            failNextCreate.reset();
            return failure;
        }
        addPlaylist(name);
        selected = name;
        return record("create " + name);
    }
    Status deletePlaylist(const MusicPlaylist& playlist) override {
        std::erase_if(playlistsHeld,
                      [&playlist](const Playlist& held) { return held.id == playlist.id; });
        return record("delete " + playlist.name);
    }
    Result<std::vector<MusicTrack>> searchLibrary(MusicLibrary library, SearchField field,
                                                  const std::string& words) override {
        calls.push_back("search " + std::to_string(static_cast<int>(library)) + " " +
                        std::to_string(static_cast<int>(field)) + " " + words);
        if (failNext) {
            return takeFailure();
        }
        std::vector<MusicTrack> hits;
        for (const Track& track : tracks) {
            if (library != MusicLibrary::All && track.library != library) {
                continue;
            }
            if (matches(track, field, words)) {
                hits.push_back({track.id, track.name});
            }
        }
        return hits;
    }
    Status addTrack(const MusicPlaylist& playlist, const MusicTrack& track) override {
        for (Playlist& held : playlistsHeld) {
            if (held.id == playlist.id) {
                held.trackIds.push_back(track.id);
            }
        }
        return record("add " + track.id);
    }

    Status openUri(const std::string& uri) override { return record("open " + uri); }

    bool running = true;
    bool ownStore = false;
    /// The steps offers() refuses, with the refusal.
    std::map<MusicStep, Status> refusedSteps;
    /// The next playlist listing or search fails with this.
    std::optional<Status> failNext;
    /// The next createPlaylist fails with this.
    std::optional<Status> failNextCreate;
    /// The next showLibrary fails with this.
    std::optional<Status> failNextLibrary;
    std::vector<Track> tracks;
    std::vector<Playlist> playlistsHeld;
    std::vector<std::string> calls;
    std::string selected;
    bool visible = false;
    bool miniPlayer = false;
    bool maximized = false;
    bool muted = false;
    int volume = 100;
    int position = 30;

private:
    Status record(const std::string& line) {
        calls.push_back(line);
        return {};
    }
    Status storeCall(const std::string& line) {
        calls.push_back(line);
        return ownStore ? Status{}
                        : Status::failure(music_error::kNotOffered, "No store in this player.");
    }
    Status takeFailure() {
        Status failure = *failNext;
        failNext.reset();
        return failure;
    }
    static bool contains(const std::string& text, const std::string& words) {
        return text.find(words) != std::string::npos;
    }
    static bool matches(const Track& track, SearchField field, const std::string& words) {
        switch (field) {
        case SearchField::Artists:
            return contains(track.artist, words);
        case SearchField::Albums:
            return contains(track.album, words);
        case SearchField::Composers:
            return contains(track.composer, words);
        case SearchField::SongNames:
            return contains(track.name, words);
        case SearchField::All:
            break;
        }
        return contains(track.name, words) || contains(track.artist, words) ||
               contains(track.album, words) || contains(track.composer, words);
    }

    int m_nextId = 0;
};

} // namespace kelvo::fakes
