#include "speech/sleep_wake.h"

#include "services/error_sink.h"

namespace kelvo {

using speech::LoadOption;
using speech::RuleState;

namespace {

constexpr int kObjectNotSet = 91;

struct StateTexts {
    const char* grammarFile; // null: the normal grammar
    int indicator;
    const char* balloonTitle;
    const char* balloonText;
    TrayIconKind icon;
    const char* tip;
};

constexpr StateTexts kSleep{
    kSleepGrammarFile, kIndicatorAsleep,     "Kelvo Is Asleep & No Longer Listening",
    "Kelvo is Asleep", TrayIconKind::Asleep, "Kelvo Is NOT Listening"};
constexpr StateTexts kWake{nullptr,          kIndicatorListening,     "Kelvo Is Awake & Listening",
                           "Kelvo is Awake", TrayIconKind::Listening, "Kelvo Is Listening"};

} // namespace

void showNotListeningNotice(MessageBoxes& boxes, const std::string& cannot, bool comesBack,
                            bool modal) {
    boxes.showNotice("kelvo is not listening, so " + cannot + ".",
                     comesBack ? "Check that a microphone is plugged in and its driver is on: "
                                 "kelvo listens again as soon as it is back."
                               : "Check that a microphone is plugged in and its driver is on, "
                                 "then start kelvo again.",
                     1, modal);
}

SleepWake::SleepWake(EngineController& engine, SpeechState& state, AppControl& app,
                     FeedbackPort& feedback, ToneOutput& tone)
    : m_engine(engine), m_state(state), m_app(app), m_feedback(feedback), m_tone(tone) {}

Result<speech::SpeechGrammar*> SleepWake::grammar() {
    if (auto* grammar = m_engine.objects().grammar.get())
        return grammar;
    return Status::failure(kObjectNotSet, "Object variable not set (grammar)");
}

Status SleepWake::muteUnmute(std::int16_t mode) {
    if (mode != kModeSleep && mode != kModeToggle && mode != kModeWake)
        return Status::failure(error_number::kInvalidCall,
                               "Unknown sleep mode " + std::to_string(mode));
    // Chosen before any pump runs, from the state the caller saw.
    const bool sleep = mode == kModeSleep || (mode == kModeToggle && !m_state.asleep);
    const StateTexts& texts = sleep ? kSleep : kWake;

    // Ends any dictation of a search or location still waiting for words.
    auto g = grammar();
    if (!g)
        return g.error();
    if (auto s = (*g)->cmdSetRuleIdState(speech::kAllRules, RuleState::Inactive); !s)
        return s;
    m_app.pumpEvents();
    if (g = grammar(); !g)
        return g.error();
    if (auto s = (*g)->dictationSetState(RuleState::Inactive); !s)
        return s;
    if (auto s = (*g)->dictationLoad("", LoadOption::Static); !s)
        return s;
    m_engine.forgetPendingDictation();
    m_app.pumpEvents();

    if (g = grammar(); !g)
        return g.error();
    const std::string file = texts.grammarFile != nullptr ? texts.grammarFile : m_state.grammarFile;
    if (auto s = (*g)->cmdLoadFromFile(m_engine.grammarPath(file).string(), LoadOption::Dynamic);
        !s)
        return s;
    // Both flags follow the grammar at once, so nothing run by the pumps
    // below sees them disagree with each other or with what is listening.
    m_state.asleep = sleep;
    m_state.muted = sleep;

    if (auto s = (*g)->cmdSetRuleIdState(speech::kAllRules, RuleState::Inactive); !s)
        return s;
    m_app.pumpEvents();
    if (g = grammar(); !g)
        return g.error();
    if (auto s = (*g)->cmdSetRuleIdState(speech::kAllRules, RuleState::Active); !s)
        return s;

    if (!m_state.hearing) {
        // The grammar waits for the input to come back (a custom-command
        // save loads it this way); until then nothing says kelvo listens.
        m_feedback.setListeningIndicator(kSleep.indicator);
        m_feedback.setTrayIcon(kSleep.icon, kSleep.tip);
        return {};
    }
    m_feedback.setListeningIndicator(texts.indicator);
    m_feedback.showBalloon(texts.balloonTitle, texts.balloonText);
    m_feedback.setTrayIcon(texts.icon, texts.tip);
    return {};
}

void SleepWake::MakeBeep(std::int32_t hertz, std::int32_t milliseconds) {
    m_tone.playTone(hertz, milliseconds);
}

} // namespace kelvo
