#pragma once

#include "platform/media_player.h"

#include <filesystem>

namespace kelvo {

/// The audio volume for a volume in per cent (clamped to 0..100), in
/// hundredths of a decibel: 100 is full (0), 0 is silent (-10000).
int mediaVolumeLevel(int percent);

/// The loudness factor of a level in hundredths of a decibel; -10000 and
/// below are silent (0), 0 and above full (1).
double volumeFactor(int hundredthsOfDb);

/// The balance for a balance in per cent (clamped to -100..100), in
/// hundredths: -10000 left only, 10000 right only.
int mediaBalanceLevel(int percent);

/// The speed factor for a rate in per cent of normal: 226 and more play at
/// 2.26, 0 and less at 0.
double mediaRateFactor(float percent);

/// The position in seconds seekMedia moves to. milliseconds becomes its
/// value rounded to a whole number modulo 1000 plus its fractional part;
/// minutes and seconds count modulo 60.
double seekPosition(int hours, int minutes, int seconds, float& milliseconds);

/// The program's sound playback: one mp3 file at a time through a media
/// player. Every call returns true on success and false, silently, on any
/// failure, also before a file was opened.
class SoundPlayback {
public:
    /// player may be null: nothing then plays and every call is false.
    explicit SoundPlayback(MediaPlayer* player) : m_player(player) {}

    /// Opens a file whose name ends with ".mp3" (case counts) at full
    /// volume, centred, at normal speed, from its start.
    bool openMediaFile(const std::filesystem::path& file);
    /// Starts playing and returns at once.
    bool playMedia();
    bool setMediaVolume(int percent);
    bool setMediaBalance(int percent);
    bool setMediaRate(float percent);
    /// Moves to the position when it lies after the start and before the
    /// end; otherwise nothing changes and the result is false.
    bool seekMedia(int hours, int minutes, int seconds, float& milliseconds);

private:
    MediaPlayer* m_player;
    bool m_open = false;
};

} // namespace kelvo
