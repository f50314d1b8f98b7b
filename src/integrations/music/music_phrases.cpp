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
    {"search music", false, false, "library+all"},
    {"search movies", false, false, "movies+all"},
    {"search tv", false, false, "tv+all"},
    {"search podcasts", false, false, "podcasts+all"},
    {"search radio", false, false, "radio+all"},
    {"search music artist", false, false, "library+artist"},
    {"search music album", false, false, "library+album"},
    {"search music song", false, false, "library+songname"},
    {"search music store artist", false, false, "store+artist"},
    {"search music store album", false, false, "store+album"},
    {"search music store song", false, false, "store+song"},
    {"search music store", false, false, "store+all"},
    {"search music playlist", false, false, "playlist"},
    {"spell search music playlist", true, false, "playlist"},
    {"spell search music store", true, false, "store+spell"},
    {"spell search music", true, false, "library+spell"},
    {"create playlist", false, true, "create+playlist"},
    {"spell create music playlist", true, true, "spellcreate+playlist"},
    {"music volume", false, true, "volume"},
}};

} // namespace

std::span<const OneStepMusicPhrase> oneStepMusicPhrases() {
    return kOneStep;
}

std::span<const TwoStepMusicPhrase> twoStepMusicPhrases() {
    return kTwoStep;
}

} // namespace kelvo
