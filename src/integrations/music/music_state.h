#pragma once

#include <string>

namespace kelvo {

/// What the music commands keep for the whole run.
struct MusicState {
    /// The second step the next recognised words are for ("library+all",
    /// "playlist", "volume" ...); empty when none is waiting.
    std::string iTunesPendingMode;
};

} // namespace kelvo
