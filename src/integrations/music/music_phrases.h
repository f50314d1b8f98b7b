#pragma once

#include <span>
#include <string_view>

namespace kelvo {

/// What a one-step music phrase does at once.
enum class MusicAction {
    MusicLibrary,
    MovieLibrary,
    TvLibrary,
    RadioLibrary,
    PodcastLibrary,
    MiniPlayer,
    MusicStore,
    RepeatMusic,
    NextTrack,
    PreviousTrack,
    Mute,
    Unmute,
    FastForward,
    Rewind,
    Resume,
    Pause,
    Stop,
    ShowPlayer,
    Quit,
};

/// A phrase that acts at once.
struct OneStepMusicPhrase {
    std::string_view phrase;
    MusicAction action;
};

/// A phrase whose words follow as the next utterance.
struct TwoStepMusicPhrase {
    std::string_view phrase;
    /// The words are spelled rather than dictated.
    bool spelling;
    /// The pending mode the words are taken for.
    std::string_view mode;
};

/// The 22 phrases that act at once, in the order they are compared.
std::span<const OneStepMusicPhrase> oneStepMusicPhrases();

/// The 19 phrases that wait for words, in the order they are compared.
std::span<const TwoStepMusicPhrase> twoStepMusicPhrases();

} // namespace kelvo
