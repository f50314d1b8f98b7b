// The dictation stages of the recognition road: a catalogue search waiting
// for its words, and a zip code or city waiting for the location.

#include "services/window_registry.h"
#include "speech/command_counter.h"
#include "speech/dispatch_failure.h"
#include "speech/feedback.h"
#include "speech/location_vocabulary.h"
#include "speech/recognition_dispatcher.h"
#include "speech/web_target.h"

namespace kelvo {

namespace {

constexpr int kBeepHz = 500;
constexpr int kBeepMs = 200;

speech::SpeechGrammar& grammarOf(DispatchHost& host) {
    speech::SpeechGrammar* grammar = host.grammar();
    if (grammar == nullptr) {
        throw DispatchFailure(91, "the speech engine is not running");
    }
    return *grammar;
}

} // namespace

Status RecognitionDispatcher::dictationOn(bool spelling) {
    speech::SpeechGrammar& grammar = grammarOf(m_c.host);
    if (spelling) {
        require(grammar.cmdSetRuleIdState(speech::kAllRules, speech::RuleState::Inactive),
                "rules off");
    }
    require(
        grammar.dictationLoad(spelling ? speech::kTopicSpelling : "", speech::LoadOption::Static),
        "dictation load");
    require(grammar.dictationSetState(speech::RuleState::Active), "dictation on");
    return {};
}

Status RecognitionDispatcher::vocabularyDictationOn(const std::vector<std::string>& vocabulary) {
    speech::SpeechGrammar& grammar = grammarOf(m_c.host);
    require(grammar.dictationLoadVocabulary(vocabulary), "dictation load");
    require(grammar.dictationSetState(speech::RuleState::Active), "dictation on");
    return {};
}

Status RecognitionDispatcher::commandsOn() {
    speech::SpeechGrammar& grammar = grammarOf(m_c.host);
    require(grammar.dictationSetState(speech::RuleState::Inactive), "dictation off");
    require(grammar.cmdSetRuleIdState(speech::kAllRules, speech::RuleState::Active), "rules on");
    return {};
}

void RecognitionDispatcher::armSearch(const CommandRecord& row) {
    // A damaged row with no address to fill has nothing to wait for: the
    // commands keep listening.
    if (row[CommandColumn::Target].empty()) {
        return;
    }
    require(grammarOf(m_c.host).cmdSetRuleIdState(speech::kAllRules, speech::RuleState::Inactive),
            "rules off");
    PendingSearch& search = m_c.state.pendingSearch;
    search.u = row[CommandColumn::Target];
    search.p = row[CommandColumn::Placeholder];
    search.ct = row[CommandColumn::Separator];
    search.p2 = row[CommandColumn::LocationMark];
    search.p3 = row[CommandColumn::P3];
    search.p4 = row[CommandColumn::P4];
    search.styp = row[CommandColumn::SearchType];
    search.fact = row[CommandColumn::Fact];
    m_c.state.lastCommandText = row[CommandColumn::Display];
    std::string shown = m_c.state.lastCommandText;
    giveFeedback(shown, m_c.feedback);

    m_c.host.makeBeep(kBeepHz, kBeepMs);
    m_c.app.pumpEvents();
    // A sleep, a wake or a new or released engine while events ran forgot
    // the search and set what listens; dictation must not come on over it.
    if (!search.pending() || m_c.host.grammar() == nullptr) {
        search.clear();
        return;
    }

    const bool spelling = search.styp == "3" || search.styp == "4";
    (void)dictationOn(spelling);
    m_c.host.resetGrammarDueToCounter();
}

void RecognitionDispatcher::takeSearchWords(const std::string& text) {
    PendingSearch search = m_c.state.pendingSearch;
    feedbackHeard(text);
    m_c.state.gsSearchPhrase = text;

    std::string address;
    if (search.styp == "1" || search.styp == "3") {
        countCommand(m_c.speech);
        m_c.state.gsSearchPhrase = joinSearchWords(text, search.ct);
        (void)commandsOn();
        address = webSearchAddress(search, text);
    } else if (search.styp == "2" || search.styp == "4") {
        countCommand(m_c.speech);
        m_c.state.currentLocation = m_c.settings.readIni("Lobuteha", "location", "abc", 150);
        if (m_c.state.currentLocation == "x" || m_c.state.currentLocation.empty()) {
            m_c.state.pendingSearch.clear();
            // Not left deaf: the commands listen again while the user reads.
            (void)commandsOn();
            m_c.windows.hideWindow(kMainWindowName);
            m_c.boxes.showNotice("kelvo does not know your current location",
                                 "Please review the Local Search Settings screen for details and "
                                 "instructions.",
                                 5000, true);
            m_c.windows.showWindow("frmlocalsearchsettings");
            return;
        }
        (void)commandsOn();
        address = localSearchAddress(search, text, m_c.state.currentLocation);
    } else {
        // A search of unknown type cannot make an address; drop it and
        // listen for commands again.
        m_c.state.pendingSearch.clear();
        (void)commandsOn();
        m_c.host.resetGrammarDueToCounter();
        return;
    }
    m_c.state.pendingSearch.clear();
    openWebTarget(address);
    m_c.host.resetGrammarDueToCounter();
}

void RecognitionDispatcher::startLocationDictation(const std::string& text, const char* mode) {
    feedbackHeard(text);
    // Waiting from the beep on, so that a sleep, a wake or a new or released
    // engine while events run forgets it as it forgets a search; the
    // recognitions that arrive meanwhile wait for this road to end.
    m_c.state.dictationMode = mode;
    m_c.host.makeBeep(kBeepHz, kBeepMs);
    m_c.app.pumpEvents();
    if (m_c.state.dictationMode != mode || m_c.host.grammar() == nullptr) {
        m_c.state.dictationMode.clear();
        return;
    }
    require(grammarOf(m_c.host).cmdSetRuleIdState(speech::kAllRules, speech::RuleState::Inactive),
            "rules off");
    // Digits, or the places a city is likely to be: the general model
    // alone hears "for" and "to" where a zip code has digits.
    (void)vocabularyDictationOn(std::string_view(mode) == "zip" ? zipCodeVocabulary()
                                                                : cityVocabulary(m_c.settings));
}

void RecognitionDispatcher::takeLocation(const std::string& text) {
    feedbackHeard(text);
    std::string location = m_c.state.dictationMode == "zip" ? zipFromWords(text) : text;
    m_c.state.currentLocation = location;
    giveLocationFeedback(location, m_c.settings, m_c.feedback);
    m_c.state.dictationMode.clear();
    (void)commandsOn();
    m_c.host.resetGrammarDueToCounter();
}

} // namespace kelvo
