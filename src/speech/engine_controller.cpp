#include "speech/engine_controller.h"

#include "speech/feedback.h"

#include <array>
#include <cstdio>
#include <utility>

namespace kelvo {

using speech::LoadOption;
using speech::RuleState;

namespace {

struct RankedEngine {
    std::string_view description;
    float rank;
};

constexpr std::array<RankedEngine, 5> kEngineRanks = {{
    {"Microsoft English Recognizer v5.1", 5.1F},
    {"Microsoft English (U.S.) v6.0 Recognizer", 6.0F},
    {"Microsoft English (U.S.) v6.1 Recognizer", 6.1F},
    {"Microsoft Speech Recognizer 8.0for Windows (English - US)", 8.0F},
    {"Microsoft Speech Recognizer 8.0 for Windows (English - US)", 8.0F},
}};

struct EngineProperty {
    const char* name;
    long value;
};

constexpr std::array<EngineProperty, 3> kEngineSettings = {{
    {"AdaptationOn", 0},
    {"ResourceUsage", 85},
    {"PersistedBackgroundAdaptation", 0},
}};

constexpr std::array<EngineProperty, 3> kConfidenceThresholds = {{
    {"LowConfidenceThreshold", 45},
    {"NormalConfidenceThreshold", 75},
    {"HighConfidenceThreshold", 105},
}};

// "Object variable not set": a step needs an object an earlier action did
// not make.
constexpr int kObjectNotSet = 91;
// "Invalid procedure call": no engine to choose from.
constexpr int kNoEngine = 5;

constexpr const char* kErrorLocation = "FmouPCE";

} // namespace

float engineRank(std::string_view description) {
    for (const auto& engine : kEngineRanks)
        if (engine.description == description)
            return engine.rank;
    return 0.0F;
}

void SpeechObjects::release() {
    grammar.reset();
    rc.reset();
    recognizer.reset();
}

EngineController::EngineController(speech::SpeechPlatform& platform, speech::SpeechEventSink& sink,
                                   SpeechState& state, std::filesystem::path dataFolder,
                                   MessageBoxes& boxes, AppControl& app, FeedbackPort& feedback)
    : m_platform(platform), m_events(*this, sink), m_state(state),
      m_dataFolder(std::move(dataFolder)), m_boxes(boxes), m_app(app), m_feedback(feedback) {}

Status EngineController::controlEngine(std::string_view action, const std::string& profileName) {
    if (action == engine_action::kShutdown)
        return shutdown();
    if (action == engine_action::kCrankUpEngine)
        return crankUpEngine(profileName);
    if (action == engine_action::kGetAudioInput)
        return getAudioInput();
    if (action == engine_action::kStartListening)
        return startListening();
    return Status::failure(error_number::kInvalidCall,
                           "Unknown engine action \"" + std::string(action) + "\"");
}

Status EngineController::fail(const Status& error) {
    m_boxes.showRuntimeError("kelvo Error",
                             formatErrorReport(error.number(), error.message(), kErrorLocation) +
                                 "\n" + m_step);
    return error;
}

void EngineController::showHearing(bool hearing) {
    m_state.hearing = hearing;
    const bool listening = hearing && !m_state.asleep;
    m_feedback.setListeningIndicator(listening ? kIndicatorListening : kIndicatorAsleep);
    m_feedback.setTrayIcon(listening ? TrayIconKind::Listening : TrayIconKind::Asleep,
                           listening ? kListeningTip : kNotListeningTip);
    if (hearing) {
        m_feedback.welcome();
    }
}

Status EngineController::missing(const char* what) {
    return fail(
        Status::failure(kObjectNotSet, std::string("Object variable not set (") + what + ")"));
}

Status EngineController::shutdown() {
    m_step = "s1";
    m_objects.release();
    m_inputLost = false;
    forgetPendingDictation();
    if (m_state.hearing)
        showHearing(false);
    return {};
}

Status EngineController::crankUpEngine(const std::string& profileName) {
    m_step = "cue1";
    // A context and grammar of an earlier recognizer must not outlive it.
    m_objects.release();
    m_inputLost = false;
    forgetPendingDictation();
    if (m_state.hearing)
        showHearing(false);
    auto recognizer = m_platform.createRecognizer();
    if (!recognizer)
        return fail(recognizer.error());
    m_objects.recognizer = std::move(recognizer).value();
    auto& engine = *m_objects.recognizer;

    m_step = "cue2";
    auto tokens = engine.getRecognizers("Language=409", "");
    if (!tokens)
        return fail(tokens.error());

    m_step = "cue3";
    float bestRank = 0.0F;
    const speech::SpeechToken* chosen = nullptr;
    for (const auto& token : *tokens) {
        const float rank = engineRank(token.description);
        if (rank > bestRank) {
            bestRank = rank;
            chosen = &token;
        }
    }

    m_step = "cue4";
    if (chosen == nullptr) {
        if (tokens->empty())
            return fail(Status::failure(kNoEngine, "No speech engine for Language=409"));
        chosen = &tokens->front();
    }

    m_step = "cue5";
    if (auto status = engine.setRecognizer(*chosen); !status)
        return fail(status);

    if (!profileName.empty()) {
        m_step = "cue6";
        auto profiles = engine.getProfiles();
        if (!profiles)
            return fail(profiles.error());
        m_step = "cue7";
        bool found = false;
        for (const auto& profile : *profiles) {
            if (profile.description == profileName) {
                if (auto status = engine.setProfile(profile); !status)
                    return fail(status);
                found = true;
                break;
            }
        }
        if (!found) {
            m_step = "cue8";
            m_state.profileDialogMode = "MissingDefault - " + profileName;
        }
    }
    m_step = "cue10";
    return {};
}

Status EngineController::getAudioInput() {
    m_step = "gai1";
    if (!m_objects.recognizer)
        return missing("recognizer");

    m_step = "gai2";
    auto input = m_platform.defaultAudioInput();
    Status status = input ? Status{} : input.error();
    if (status) {
        m_step = "gai3";
        status = m_objects.recognizer->setAudioInput(*input);
    }
    if (!status) {
        // A missing or broken input is the user's set-up, not a program
        // fault; nothing may claim that kelvo listens while it is shown.
        m_feedback.setBusyPointer(false);
        showHearing(false);
        m_boxes.showAudioSetupError();
        return status;
    }
    return {};
}

Status EngineController::startListening() {
    m_step = "sl1";
    if (!m_objects.recognizer)
        return missing("recognizer");
    m_objects.grammar.reset();
    m_objects.rc.reset();
    m_inputLost = false;
    forgetPendingDictation();
    if (m_state.hearing)
        showHearing(false);
    auto context = m_objects.recognizer->createRecoContext(m_events);

    m_step = "sl2";
    if (!context) {
        m_boxes.custMsgBox("Error", "ok", "Err - voice object is nothing", false);
        context = m_platform.createBareRecoContext(m_events);
        if (!context)
            return fail(context.error());
    }
    m_objects.rc = std::move(context).value();

    m_step = "sl3";
    m_app.pumpEvents();

    // The objects are looked up again after every pump: a handler that ran
    // meanwhile may have shut the engine down.
    m_step = "sl4";
    if (!m_objects.rc)
        return missing("recognition context");
    for (unsigned bit :
         {speech::event_interest::kRecognition, speech::event_interest::kRequestUI}) {
        if (auto status = m_objects.rc->setEventInterests(m_objects.rc->eventInterests() | bit);
            !status)
            return fail(status);
    }

    m_step = "sl5";
    auto grammar = m_objects.rc->createGrammar(1);
    if (!grammar)
        return fail(grammar.error());
    m_objects.grammar = std::move(grammar).value();

    m_step = "sl6";
    m_app.pumpEvents();

    m_step = "sl7";
    if (!m_objects.grammar)
        return missing("grammar");
    if (auto status = m_objects.grammar->dictationLoad("", LoadOption::Static); !status)
        return fail(status);
    if (auto status = m_objects.grammar->dictationSetState(RuleState::Inactive); !status)
        return fail(status);

    m_step = "sl8";
    if (auto status = m_objects.grammar->cmdLoadFromFile(grammarPath(m_state.grammarFile).string(),
                                                         LoadOption::Dynamic);
        !status)
        return fail(status);

    m_step = "sl9";
    m_app.pumpEvents();

    m_step = "sl10";
    if (!m_objects.grammar)
        return missing("grammar");
    for (RuleState state :
         {RuleState::Inactive, RuleState::Active, RuleState::Inactive, RuleState::Active}) {
        if (auto status = m_objects.grammar->cmdSetRuleIdState(speech::kAllRules, state); !status)
            return fail(status);
    }
    m_app.pumpEvents();

    m_step = "sl11";
    if (!m_objects.rc)
        return missing("recognition context");
    for (const auto& setting : kEngineSettings) {
        if (auto status = m_objects.rc->recognizer().setPropertyNumber(setting.name, setting.value);
            !status)
            return fail(status);
    }
    m_app.pumpEvents();

    m_step = "sl12";
    if (!m_objects.rc)
        return missing("recognition context");
    for (const auto& setting : kConfidenceThresholds) {
        if (auto status = m_objects.rc->recognizer().setPropertyNumber(setting.name, setting.value);
            !status)
            return fail(status);
    }
    // An input that stopped while events ran has been shown as such.
    showHearing(!m_inputLost);
    return {};
}

void EngineController::inputLost(const speech::InputLostEvent& event) {
    // Said once a loss; without a context in use there is nothing to lose.
    if (m_inputLost || !m_objects.rc)
        return;
    std::fprintf(stderr, "kelvo: listening stopped: %s\n", event.reason.c_str());
    m_inputLost = true;
    showHearing(false);
    if (!std::exchange(m_lossSaid, true))
        m_feedback.showBalloon(kNotListeningTip,
                               "The microphone stopped working. kelvo listens again as soon as it "
                               "is back.");
    if (m_onInputLost)
        m_onInputLost();
}

bool EngineController::retakeInput() {
    if (!m_inputLost || !m_objects.rc)
        return true;
    if (Status back = m_objects.rc->recognizer().refreshProfile(); !back)
        return false;
    m_inputLost = false;
    showHearing(true);
    return true;
}

} // namespace kelvo
