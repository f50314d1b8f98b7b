#include "services/sound_playback.h"

#include <algorithm>
#include <cmath>

namespace kelvo {

namespace {

constexpr int kSilentLevel = -10000;
constexpr float kFastestRate = 226;

} // namespace

int mediaVolumeLevel(int percent) {
    return std::clamp(percent, 0, 100) * 100 + kSilentLevel;
}

double volumeFactor(int hundredthsOfDb) {
    if (hundredthsOfDb <= kSilentLevel) {
        return 0;
    }
    if (hundredthsOfDb >= 0) {
        return 1;
    }
    return std::pow(10.0, hundredthsOfDb / 2000.0);
}

int mediaBalanceLevel(int percent) {
    return std::clamp(percent, -100, 100) * 100;
}

double mediaRateFactor(float percent) {
    return std::clamp(percent, 0.0f, kFastestRate) / 100.0;
}

double seekPosition(int hours, int minutes, int seconds, float& milliseconds) {
    const float whole = std::nearbyint(milliseconds);
    milliseconds = std::fmod(whole, 1000.0f) + (milliseconds - std::floor(milliseconds));
    return hours * 3600.0 + (minutes % 60) * 60.0 + (seconds % 60) + milliseconds * 0.001;
}

bool SoundPlayback::openMediaFile(const std::filesystem::path& file) {
    m_open = false;
    if (m_player == nullptr || !file.string().ends_with(".mp3") || !m_player->load(file)) {
        return false;
    }
    m_open = true;
    float start = 0;
    (void)setMediaVolume(100);
    (void)setMediaBalance(0);
    (void)setMediaRate(100);
    (void)m_player->seek(seekPosition(0, 0, 0, start));
    return true;
}

bool SoundPlayback::playMedia() {
    return m_open && m_player->play();
}

bool SoundPlayback::setMediaVolume(int percent) {
    return m_open && m_player->setVolume(volumeFactor(mediaVolumeLevel(percent)));
}

bool SoundPlayback::setMediaBalance(int percent) {
    return m_open && m_player->setBalance(mediaBalanceLevel(percent) / 10000.0);
}

bool SoundPlayback::setMediaRate(float percent) {
    return m_open && m_player->setRate(mediaRateFactor(percent));
}

bool SoundPlayback::seekMedia(int hours, int minutes, int seconds, float& milliseconds) {
    const double position = seekPosition(hours, minutes, seconds, milliseconds);
    if (!m_open || position <= 0) {
        return false;
    }
    const auto end = m_player->length();
    return end && position < *end && m_player->seek(position);
}

} // namespace kelvo
