#pragma once

#include "platform/media_player.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

namespace kelvo {

/// The welcome sound of the start. Setting up the sound system can take a
/// while, so it all happens on a thread of its own: the start and the first
/// paint of the main window never wait for it.
class WelcomeSound {
public:
    using MakePlayer = std::function<Result<std::unique_ptr<MediaPlayer>>()>;

    explicit WelcomeSound(MakePlayer makePlayer) : m_makePlayer(std::move(makePlayer)) {}
    /// Waits for the thread; the sound stops with the player.
    ~WelcomeSound();
    WelcomeSound(const WelcomeSound&) = delete;
    WelcomeSound& operator=(const WelcomeSound&) = delete;

    /// Opens the file at full volume, centred, at normal speed, from its
    /// start, and plays it; returns at once. Only the first call plays.
    /// A sound that cannot play is logged and the program goes on.
    void play(const std::filesystem::path& file);

    /// Waits until the thread has started the sound or given up; true when
    /// it plays. For tests.
    bool waitStarted();

private:
    MakePlayer m_makePlayer;
    std::unique_ptr<MediaPlayer> m_player;
    bool m_playing = false;
    std::thread m_thread;
};

} // namespace kelvo
