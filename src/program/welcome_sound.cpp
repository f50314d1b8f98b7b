#include "program/welcome_sound.h"

#include "services/sound_playback.h"

#include <cstdio>

namespace kelvo {

WelcomeSound::~WelcomeSound() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void WelcomeSound::play(const std::filesystem::path& file) {
    if (m_thread.joinable() || !m_makePlayer) {
        return;
    }
    m_thread = std::thread([this, file] {
        auto player = m_makePlayer();
        if (!player) {
            std::fprintf(stderr, "kelvo: no welcome sound: %s\n", player.error().message().c_str());
            return;
        }
        m_player = std::move(player).value();
        SoundPlayback sound(m_player.get());
        float start = 0;
        // Only the opening and the start decide: a player without balance
        // still plays the sound.
        if (sound.openMediaFile(file)) {
            (void)sound.setMediaVolume(100);
            (void)sound.setMediaBalance(0);
            (void)sound.setMediaRate(100);
            // Position 0 is the start already; seekMedia refuses it.
            (void)sound.seekMedia(0, 0, 0, start);
            m_playing = sound.playMedia();
        }
        if (!m_playing) {
            std::fprintf(stderr, "kelvo: the welcome sound %s cannot be played\n", file.c_str());
        }
    });
}

bool WelcomeSound::waitStarted() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
    return m_playing;
}

} // namespace kelvo
