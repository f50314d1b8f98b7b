#include "speech/grammar_switching.h"

namespace kelvo {

using speech::LoadOption;
using speech::RuleState;

namespace {

constexpr int kObjectNotSet = 91;

constexpr const char* kQualityTitle = "Voice Recognition Quality Alert";
constexpr const char* kQualityQuestion =
    "Kelvo is having problems understanding what you are saying.  This may be due to background "
    "noise, the microphone needing adjustment, or leaving it running for long periods without "
    "using it.  If you re-train your voice profile, it may correct the problem.  Would like to "
    "re-train your voice profile now?";

} // namespace

GrammarSwitcher::GrammarSwitcher(EngineController& engine, SpeechState& state, MessageBoxes& boxes,
                                 AppControl& app, FeedbackPort& feedback)
    : m_engine(engine), m_state(state), m_boxes(boxes), m_app(app), m_feedback(feedback) {}

Result<speech::SpeechGrammar*> GrammarSwitcher::grammar() {
    // Looked up at every use: a handler run by a pump may have shut the
    // engine down.
    if (auto* grammar = m_engine.objects().grammar.get())
        return grammar;
    return Status::failure(kObjectNotSet, "Object variable not set (grammar)");
}

Status GrammarSwitcher::LoadDifferentGrammar(const std::string& fileName) {
    auto run = [&]() -> Status {
        auto g = grammar();
        if (!g)
            return g.error();
        if (auto s = (*g)->dictationLoad("", LoadOption::Static); !s)
            return s;
        if (auto s = (*g)->dictationSetState(RuleState::Inactive); !s)
            return s;
        m_engine.forgetPendingDictation();
        if (auto s = (*g)->cmdSetRuleIdState(speech::kAllRules, RuleState::Inactive); !s)
            return s;
        if (auto s =
                (*g)->cmdLoadFromFile(m_engine.grammarPath(fileName).string(), LoadOption::Dynamic);
            !s)
            return s;
        m_app.pumpEvents();
        for (RuleState state :
             {RuleState::Inactive, RuleState::Active, RuleState::Inactive, RuleState::Active}) {
            g = grammar();
            if (!g)
                return g.error();
            if (auto s = (*g)->cmdSetRuleIdState(speech::kAllRules, state); !s)
                return s;
        }
        m_app.pumpEvents();
        return {};
    };
    Status status = run();
    // With no engine there is no grammar to switch: the user was told when
    // listening stopped (no working input), so that is no error of ours.
    const bool noEngine = !m_state.hearing && m_engine.objects().grammar == nullptr;
    if (!status && !noEngine)
        m_boxes.reportError(status.number(), status.message(), "FmouPldg");
    return status;
}

Status GrammarSwitcher::reloadGrammar() {
    auto g = grammar();
    if (!g)
        return g.error();
    if (auto s = (*g)->cmdSetRuleIdState(speech::kAllRules, RuleState::Inactive); !s)
        return s;
    if (auto s = (*g)->cmdLoadFromFile(m_engine.grammarPath(m_state.grammarFile).string(),
                                       LoadOption::Dynamic);
        !s)
        return s;
    return (*g)->cmdSetRuleIdState(speech::kAllRules, RuleState::Active);
}

Status GrammarSwitcher::loadAndActivate(const std::string& fileName) {
    auto g = grammar();
    if (!g)
        return g.error();
    if (auto s =
            (*g)->cmdLoadFromFile(m_engine.grammarPath(fileName).string(), LoadOption::Dynamic);
        !s)
        return s;
    if (auto s = (*g)->cmdSetRuleIdState(speech::kAllRules, RuleState::Inactive); !s)
        return s;
    m_app.pumpEvents();
    g = grammar();
    if (!g)
        return g.error();
    return (*g)->cmdSetRuleIdState(speech::kAllRules, RuleState::Active);
}

Status GrammarSwitcher::resetGrammarDueToCounter() {
    if (m_state.commandCounter <= kCommandsBeforeReload)
        return {};
    // Zeroed first: a recognition handled inside the pumps below ends with
    // this call too and must not start a second reload.
    m_state.commandCounter = 0;
    if (auto s = loadAndActivate(kSleepGrammarFile); !s)
        return s;
    // Asleep, the sleep grammar is the one to keep: the reload must not wake
    // the program.
    if (m_state.muted)
        return {};
    return loadAndActivate(m_state.grammarFile);
}

Status GrammarSwitcher::RC_RequestUI(long /*streamNumber*/, long /*streamPosition*/,
                                     const std::string& type,
                                     const std::function<Status()>& showTraining) {
    if (type != speech::kUiUserTraining)
        return {};
    if (m_boxes.custMsgBox(kQualityTitle, "yesno", kQualityQuestion, true) != kAnswerYes)
        return {};

    m_feedback.setBusyPointer(true);
    m_feedback.setTrainingMenuEnabled(false);
    Status status = LoadDifferentGrammar(kTrainingGrammarFile);
    if (status) {
        if (showTraining)
            status = showTraining();
        else if (auto* rc = m_engine.objects().rc.get())
            status =
                rc->recognizer().displayUI("Voice Profile Training", speech::kUiUserTraining, "");
        else
            status =
                Status::failure(kObjectNotSet, "Object variable not set (recognition context)");
        if (!status)
            m_boxes.reportError(status.number(), status.message(), "FmouPrcrui");
    }
    // Whatever happened, listen with the grammar of the current state again
    // rather than stay on the training grammar.
    const Status restored =
        LoadDifferentGrammar(m_state.muted ? kSleepGrammarFile : m_state.grammarFile);
    m_feedback.setBusyPointer(false);
    m_feedback.setTrainingMenuEnabled(true);
    return status ? restored : status;
}

} // namespace kelvo
