#pragma once

#include "platform/speech/speech_engine.h"
#include "platform/speech/speech_event_relay.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelvo::fakes {

class ScriptedContext;

/// A speech platform for tests. It hears what the test says the way a real
/// engine would report it: a Recognition only when the grammar state at that
/// moment could hear the phrase (a loaded, active rule that says it, or
/// dictation on), else a FalseRecognition. Every call is recorded in order,
/// and any call can be made to fail.
class ScriptedSpeechPlatform : public speech::SpeechPlatform {
public:
    explicit ScriptedSpeechPlatform(speech::UiPoster& poster);
    ~ScriptedSpeechPlatform() override;

    // SpeechPlatform
    Result<std::unique_ptr<speech::Recognizer>> createRecognizer() override;
    Result<std::unique_ptr<speech::RecoContext>>
    createBareRecoContext(speech::SpeechEventSink& sink) override;
    Result<speech::SpeechToken> defaultAudioInput() override;
    Result<speech::SpeechToken> createProfile(const std::string& description) override;
    Status setDefaultProfile(const std::string& profileId) override;
    std::filesystem::path profileFolder(const std::string& profileId) const override {
        return profileFolderBase.empty() ? profileFolderBase : profileFolderBase / profileId;
    }

    // --- set-up -------------------------------------------------------------
    /// Engines returned by getRecognizers, in order.
    std::vector<speech::SpeechToken> engines{{"engine-0", "Kelvo Speech Engine"}};
    /// Profiles returned by getProfiles, in order; defaultProfileId picks the
    /// one in force until setProfile.
    std::vector<speech::SpeechToken> profiles{{"profile-0", "Default"}};
    std::string defaultProfileId = "profile-0";
    speech::SpeechToken audioInput{"default", "Default audio input"};
    /// Event interests a new context starts with.
    unsigned initialInterests = 0;
    /// Where profileFolder puts the profiles (empty: they keep no files).
    std::filesystem::path profileFolderBase;

    /// Makes the next `times` calls of the named operation fail with the
    /// error (times < 0: every call). Names are those of the call log's first
    /// word, e.g. "CmdLoadFromFile", "CreateRecoContext", "DefaultAudioInput".
    void failOn(const std::string& operation, Status error, int times = 1);

    // --- speaking -----------------------------------------------------------
    /// Speaks a phrase to the live context; the event is posted, not delivered.
    /// Returns true when it will be a Recognition.
    bool say(const std::string& phrase);
    void hypothesis(const std::string& phrase);
    void interfere(int code);
    void requestUI(const std::string& type);
    /// The input stops, as a sound server that ends: the live context
    /// reports it and hears nothing until RefreshProfile opens it again.
    void loseInput();
    bool inputLost = false;

    // --- inspection ---------------------------------------------------------
    /// Every call, in order, e.g. "CmdLoadFromFile /d/en_CLICK.XML 1",
    /// "CmdSetRuleIdState 0 1", "DictationLoad '' 0", "DictationSetState 0",
    /// "SetPropertyNumber AdaptationOn 0", "SetEventInterests 2064".
    std::vector<std::string> calls;
    /// Calls starting with the prefix.
    std::vector<std::string> callsStartingWith(const std::string& prefix) const;
    void clearCalls() { calls.clear(); }

    /// The grammar state of the live context's command grammar.
    struct GrammarState {
        std::string loadedFile;
        /// Rule name -> the word sequences it can hear.
        std::map<std::string, std::vector<std::string>> rules;
        bool rulesActive = false;
        std::optional<std::string> dictationTopic;
        bool dictationActive = false;
        /// The texts free dictation was biased toward; empty: none.
        std::vector<std::string> dictationVocabulary;
    };
    const GrammarState* grammarState() const;
    /// True when the live grammar could hear the phrase now.
    bool couldHear(const std::string& phrase) const;

    /// Properties set, last value wins.
    std::map<std::string, long> properties;
    /// Live recognizers and contexts (released ones are gone).
    int liveRecognizers = 0;
    int liveContexts = 0;

    // Used by the scripted objects.
    Status enter(const std::string& call);
    void contextCreated(ScriptedContext* context) { m_live = context; }
    void contextReleased(ScriptedContext* context);
    speech::UiPoster& poster() { return m_poster; }

private:
    struct Failure {
        Status error;
        int times;
    };
    speech::UiPoster& m_poster;
    std::map<std::string, Failure> m_failures;
    ScriptedContext* m_live = nullptr;
};

/// Expands a grammar file's rules into the word sequences each can hear:
/// `P` words in order, `L` one child of its choice, `O` optional; "+" and "-"
/// marks are dropped. Exposed for tests of the scripted engine itself.
Result<std::map<std::string, std::vector<std::string>>> expandGrammarFile(const std::string& path);

} // namespace kelvo::fakes
