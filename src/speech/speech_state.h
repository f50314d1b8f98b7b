#pragma once

#include <cstdint>
#include <string>

namespace kelvo {

/// Grammar files of the data folder.
inline constexpr const char* kGrammarFile = "en_CLICK.XML";
inline constexpr const char* kSleepGrammarFile = "en_CLICK_mute.XML";
inline constexpr const char* kTrainingGrammarFile = "min.xml";

/// What the speech side keeps for the whole run.
struct SpeechState {
    /// Asleep: only the sleep grammar listens. The two are always set
    /// together; `asleep` drives the indicator, `muted` the grammar that
    /// follows a training.
    bool muted = false;
    bool asleep = false;
    /// True while the engine listens through a working audio input; false
    /// before it starts, once it is released and when no input works.
    /// Nothing may say that kelvo listens while it is false.
    bool hearing = false;
    /// Commands carried out since the grammars were last reloaded.
    std::int16_t commandCounter = 0;
    /// The normal grammar's file name in the data folder.
    std::string grammarFile = kGrammarFile;
    /// Why the profile wizards were opened; "MissingDefault - " and a name
    /// when the engine start found no profile of that name.
    std::string profileDialogMode;
};

} // namespace kelvo
