#pragma once

#include "platform/speech/speech_engine.h"
#include "platform/speech/sphinx_command_grammar.h"
#include "platform/speech/sphinx_decoder.h"
#include "platform/speech/sphinx_vocabulary_grammar.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace kelvo::speech {

struct SphinxPlatformOptions {
    /// The voice-profile store (a folder per profile and an index).
    std::filesystem::path profileFolder;
    /// Pronunciations of the program's own words ("word PHONES" lines).
    std::filesystem::path supplementaryDictionary;
    /// speech.ini with the `[AudioInput]` `Source` setting.
    std::filesystem::path settingsFile;
    SphinxDecoderOptions decoder;
    SphinxGrammarOptions grammar;
    SphinxVocabularyOptions vocabulary;
    /// Told, on the UI thread and once a run per profile, that a voice
    /// profile's adaptation is damaged and left out.
    std::function<void(const std::string&)> reportDamagedProfile;
};

/// The usual places: profiles in "speech-profiles" of the data folder, the
/// dictionary in "speech/kelvo.dict" of the resources, the audio setting in
/// speechSettingsPath(), the installed en-us model.
SphinxPlatformOptions sphinxPlatformOptions(const std::filesystem::path& dataFolder,
                                            const std::filesystem::path& resourcesFolder);

/// The engine's one recognizer token.
SpeechToken sphinxEngineToken();

/// The speech platform on PocketSphinx: one decoder thread per listening
/// context, events posted to the UI thread through `poster`.
std::unique_ptr<SpeechPlatform> makeSphinxSpeechPlatform(UiPoster& poster,
                                                         SphinxPlatformOptions options);

} // namespace kelvo::speech
