#include "integrations/music/music_phrases.h"

#include <array>

namespace kelvo {

namespace {

constexpr std::array<OneStepMusicPhrase, 22> kOneStep = {{
    {"play music", MusicAction::MusicLibrary},
    {"music library", MusicAction::MusicLibrary},
    {"movie library", MusicAction::MovieLibrary},
    {"tv library", MusicAction::TvLibrary},
    {"radio library", MusicAction::RadioLibrary},
    {"podcast library", MusicAction::PodcastLibrary},
    {"pod cast library", MusicAction::PodcastLibrary},
    {"pod library", MusicAction::PodcastLibrary},
    {"mini player", MusicAction::MiniPlayer},
    {"music store", MusicAction::MusicStore},
    {"repeat music", MusicAction::RepeatMusic},
    {"next track", MusicAction::NextTrack},
    {"previous track", MusicAction::PreviousTrack},
    {"mute music", MusicAction::Mute},
    {"unmute music", MusicAction::Unmute},
    {"fast forward", MusicAction::FastForward},
    {"rewind music", MusicAction::Rewind},
    {"resume music", MusicAction::Resume},
    {"pause music", MusicAction::Pause},
    {"stop music", MusicAction::Stop},
    {"show player", MusicAction::ShowPlayer},
    {"quit music", MusicAction::Quit},
}};

constexpr std::array<TwoStepMusicPhrase, 19> kTwoStep = {{
    {"search music", false, "library+all"},
    {"search movies", false, "movies+all"},
    {"search tv", false, "tv+all"},
    {"search podcasts", false, "podcasts+all"},
    {"search radio", false, "radio+all"},
    {"search music artist", false, "library+artist"},
    {"search music album", false, "library+album"},
    {"search music song", false, "library+songname"},
    {"search music store artist", false, "store+artist"},
    {"search music store album", false, "store+album"},
    {"search music store song", false, "store+song"},
    {"search music store", false, "store+all"},
    {"search music playlist", false, "playlist"},
    {"spell search music playlist", true, "playlist"},
    {"spell search music store", true, "store+spell"},
    {"spell search music", true, "library+spell"},
    {"create playlist", false, "create+playlist"},
    {"spell create music playlist", true, "spellcreate+playlist"},
    {"music volume", false, "volume"},
}};

} // namespace

std::span<const OneStepMusicPhrase> oneStepMusicPhrases() {
    return kOneStep;
}

std::span<const TwoStepMusicPhrase> twoStepMusicPhrases() {
    return kTwoStep;
}

} // namespace kelvo
