#pragma once

#include "platform/speech/speech_events.h"
#include "platform/status.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kelvo::speech {

/// An engine, profile or audio-input entry: a stable id and the name shown
/// to the user (and compared by the engine ranking and the profile names).
struct SpeechToken {
    std::string id;
    std::string description;
};

/// How a grammar file or dictation topic is loaded.
enum class LoadOption { Static = 0, Dynamic = 1 };

/// Whether rules or dictation listen.
enum class RuleState { Inactive = 0, Active = 1 };

/// Rule id that addresses every command rule at once.
inline constexpr int kAllRules = 0;

/// Dictation topic of letter-by-letter spelling; the empty topic is free
/// dictation.
inline constexpr const char* kTopicSpelling = "Spelling";

/// The one command grammar of a recognition context. It must not outlive the
/// context that made it.
class SpeechGrammar {
public:
    virtual ~SpeechGrammar() = default;

    /// Replaces the command rules with those of the XML grammar file. On
    /// failure the rules loaded before stay.
    virtual Status cmdLoadFromFile(const std::string& path, LoadOption option) = 0;

    /// Makes the rule with this id (kAllRules: every rule) listen or not.
    virtual Status cmdSetRuleIdState(int ruleId, RuleState state) = 0;

    /// Loads free dictation (empty topic) or the "Spelling" topic. Fails for
    /// any other topic.
    virtual Status dictationLoad(const std::string& topic, LoadOption option) = 0;

    /// Loads free dictation biased toward what the caller knows can be said
    /// next: each entry is a text as the user sees it (a bookmark title, an
    /// artist, album or track title, a place name); the engine makes words
    /// of it (case, punctuation and digits are its business). Speech that
    /// fits those words and their order is heard as them; other speech is
    /// heard with the general model, as plain free dictation would hear it.
    /// Replaces the loaded topic, as dictationLoad does; dictationSetState
    /// turns it on. An empty list is plain free dictation, and so is this
    /// call on an engine that cannot bias its dictation.
    virtual Status dictationLoadVocabulary(const std::vector<std::string>& phrases) {
        (void)phrases;
        return dictationLoad("", LoadOption::Static);
    }

    /// Turns the loaded dictation on or off.
    virtual Status dictationSetState(RuleState state) = 0;

    /// True when a command rule of exactly this name is loaded.
    virtual bool hasRule(const std::string& name) const = 0;
};

class Recognizer;

/// A recognition context: it owns the command grammar and delivers the
/// events it is interested in to its sink.
class RecoContext {
public:
    virtual ~RecoContext() = default;

    /// The event-interest bits (event_interest::*) in force.
    virtual unsigned eventInterests() const = 0;

    /// Replaces the event-interest bits.
    virtual Status setEventInterests(unsigned interests) = 0;

    /// Makes the context's command grammar with the given id. Fails when the
    /// context already has one.
    virtual Result<std::unique_ptr<SpeechGrammar>> createGrammar(int id) = 0;

    /// The recognizer this context listens through.
    virtual Recognizer& recognizer() = 0;
};

/// One in-process recognizer.
class Recognizer {
public:
    virtual ~Recognizer() = default;

    /// The engine tokens matching the required attributes (for example
    /// "Language=409"), in a stable order. Fails when the engine store is
    /// unreadable; an empty list is not a failure.
    virtual Result<std::vector<SpeechToken>> getRecognizers(const std::string& required,
                                                            const std::string& optional) = 0;

    /// Chooses the engine. Fails for a token the store does not hold.
    virtual Status setRecognizer(const SpeechToken& engine) = 0;

    /// The engine in use.
    virtual SpeechToken recognizerToken() const = 0;

    /// The voice profiles, in a stable order.
    virtual Result<std::vector<SpeechToken>> getProfiles() = 0;

    /// Chooses the voice profile. Fails for a token the store does not hold.
    virtual Status setProfile(const SpeechToken& profile) = 0;

    /// The profile in use (the store's default until one is chosen).
    virtual Result<SpeechToken> profile() const = 0;

    /// Chooses where the sound comes from. Fails when that input cannot be
    /// opened.
    virtual Status setAudioInput(const SpeechToken& input) = 0;

    /// Makes a recognition context whose events go to the sink (through the
    /// UI poster). The sink must outlive the context.
    virtual Result<std::unique_ptr<RecoContext>> createRecoContext(SpeechEventSink& sink) = 0;

    /// Sets a numeric engine property. Unknown names are accepted and kept.
    virtual Status setPropertyNumber(const std::string& name, long value) = 0;

    /// Takes up at once what the profile in use keeps and its training or
    /// microphone set-up may have changed (its microphone, its adaptation):
    /// a context listening goes on with them from its next utterance. Fails
    /// when the profile's new microphone cannot be opened; the input in use
    /// then stays. An input that stopped (InputLostEvent) is opened afresh
    /// and heard again; while it cannot be opened this fails.
    virtual Status refreshProfile() = 0;

    /// Shows the engine's microphone ("MicTraining") or training
    /// ("UserTraining") screen and returns when it closes. An engine without
    /// such a screen returns at once.
    virtual Status displayUI(const std::string& title, const std::string& type,
                             const std::string& extraData) = 0;
};

/// The speech platform as a whole: makes recognizers and keeps the voice
/// profile store and the audio-input setting.
class SpeechPlatform {
public:
    virtual ~SpeechPlatform() = default;

    /// A new recognizer with the first engine and the default profile.
    virtual Result<std::unique_ptr<Recognizer>> createRecognizer() = 0;

    /// A context on a recognizer of its own with every default in force,
    /// for when a recognizer refuses to make one.
    virtual Result<std::unique_ptr<RecoContext>> createBareRecoContext(SpeechEventSink& sink) = 0;

    /// The audio input the user set. Fails when the setting names an input
    /// that is missing or cannot be read: the audio-setup error.
    virtual Result<SpeechToken> defaultAudioInput() = 0;

    /// Adds a voice profile with this name and returns its token.
    virtual Result<SpeechToken> createProfile(const std::string& description) = 0;

    /// Makes the profile with this id the store's default.
    virtual Status setDefaultProfile(const std::string& profileId) = 0;

    /// The folder where the profile with this id keeps its files (its
    /// adaptation); empty when the platform keeps none.
    virtual std::filesystem::path profileFolder(const std::string& profileId) const = 0;
};

} // namespace kelvo::speech
