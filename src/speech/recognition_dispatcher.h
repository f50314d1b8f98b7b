#pragma once

#include "services/app_control.h"
#include "services/message_boxes.h"
#include "services/settings_file.h"
#include "services/window_registry.h"
#include "speech/builtin_phrases.h"
#include "speech/catalogue_state.h"
#include "speech/desktop_actions.h"
#include "speech/dispatch_host.h"
#include "speech/dispatch_state.h"
#include "speech/feedback_port.h"
#include "speech/phrase_index.h"
#include "speech/phrase_interpreters.h"
#include "speech/speech_state.h"

#include <deque>
#include <string>

namespace kelvo {

/// Everything the recognition road works with.
struct DispatchContext {
    DispatchState& state;
    SpeechState& speech;
    const CatalogueState& catalogue;
    MessageBoxState& messageBoxState;
    MessageBoxes& boxes;
    AppControl& app;
    WindowRegistry& windows;
    FeedbackPort& feedback;
    SettingsFile& settings;
    DispatchHost& host;
    DesktopActions& desktop;
    PhraseInterpreters& interpreters;
};

/// Location code of a failure on the recognition road.
inline constexpr const char* kDispatchLocation = "FmouPhre";

/// Decides what a recognised phrase does: the interpreters, the built-in
/// phrases, a pending search or location dictation, then the catalogue.
/// A recognition that arrives while another is being handled (inside a
/// notice, the beep pause or a grammar reload) waits and is handled after
/// it, in order. A failure anywhere on the road is reported with a location
/// code and the grammar is put back to listening for commands.
class RecognitionDispatcher {
public:
    explicit RecognitionDispatcher(DispatchContext context);

    /// Handles one event: "Recognition", "Hypothesis" or "FalseRecognition",
    /// with its match key and phrase text.
    void handleRecoEvent(const std::string& eventName, const std::string& key,
                         const std::string& phraseText);

    /// Forgets whatever waits for dictated words: a catalogue search, a
    /// location, an interpreter's second step. The one place that does it:
    /// the speech side calls it whenever the commands listen again from
    /// outside the road (sleep or wake, a grammar the program loads, a new
    /// engine), as does the road when it sleeps, wakes or fails.
    void clearPendingDictation();

    /// True while a road runs (recognitions then wait their turn).
    bool busy() const { return m_running; }

private:
    struct Queued {
        std::string eventName;
        std::string key;
        std::string text;
    };

    void runOne(const Queued& event);
    void recognitionRoad(const std::string& key, const std::string& text);
    void runBuiltin(const BuiltinPhrase& row, const std::string& text);
    void selectPlace(const std::string& place);
    void closeCommand();
    void askQuit();
    void displayMainWindow();
    void concealMainWindow();
    void getWebcam();
    void openHelp(const std::string& page);
    void feedbackHeard(const std::string& text);
    void recoverListening();

    // Dictation of search words and locations.
    void armSearch(const CommandRecord& row);
    void takeSearchWords(const std::string& text);
    void startLocationDictation(const std::string& text, const char* mode);
    void takeLocation(const std::string& text);
    Status dictationOn(bool spelling);
    /// Free dictation that hears these texts' words first.
    Status vocabularyDictationOn(const std::vector<std::string>& vocabulary);
    Status commandsOn();

    // The catalogue and the custom commands.
    void catalogueStage(const std::string& key, const std::string& text);
    void openTarget(const std::string& target);
    void openWebTarget(const std::string& target);
    void openAddress(const std::string& target);
    void startTarget(const std::vector<std::string>& arguments);
    void reportNotOpened(const std::string& diagnostic, const std::string& why);

    DispatchContext m_c;
    PhraseIndex m_index;
    std::deque<Queued> m_queue;
    bool m_running = false;
};

} // namespace kelvo
