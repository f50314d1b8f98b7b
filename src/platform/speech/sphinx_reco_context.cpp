#include "platform/speech/sphinx_reco_context.h"

#include "platform/atomic_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace kelvo::speech {
namespace {

class SphinxGrammar : public SpeechGrammar {
public:
    explicit SphinxGrammar(SphinxRecoContext& context) : m_context(context) {
        m_context.grammarState() = {};
        m_context.grammarState().exists = true;
    }
    ~SphinxGrammar() override {
        m_context.grammarState() = {};
        m_context.publish();
    }

    Status cmdLoadFromFile(const std::string& path, LoadOption) override {
        Result<std::string> xml = readWholeFile(path);
        if (!xml) {
            return xml.error();
        }
        Result<XmlGrammar> parsed = parseXmlGrammar(*xml);
        if (!parsed) {
            return Status::failure(parsed.error().number(), path + ": " + parsed.error().message());
        }
        auto& state = m_context.grammarState();
        state.xml = std::move(xml).value();
        state.parsed = std::move(parsed).value();
        state.active.clear();
        for (const XmlGrammarRule& rule : state.parsed.rules) {
            state.active.push_back(rule.topLevel && rule.initiallyActive);
        }
        m_context.publish();
        return {};
    }

    Status cmdSetRuleIdState(int ruleId, RuleState ruleState) override {
        if (ruleId != kAllRules) {
            return Status::failure(EINVAL, "no rule has the id " + std::to_string(ruleId));
        }
        auto& state = m_context.grammarState();
        for (std::size_t i = 0; i < state.active.size(); ++i) {
            state.active[i] = state.parsed.rules[i].topLevel && ruleState == RuleState::Active;
        }
        m_context.publish();
        return {};
    }

    Status dictationLoad(const std::string& topic, LoadOption) override {
        auto& state = m_context.grammarState();
        state.vocabulary = nullptr;
        if (topic.empty()) {
            state.topic = DictationTopic::Free;
            // The language model is large: load it off the UI thread now so
            // it is ready by the time dictation is switched on.
            m_context.core().startLoadingDictation();
        } else if (topic == kTopicSpelling) {
            state.topic = DictationTopic::Spelling;
        } else {
            return Status::failure(EINVAL, "no dictation topic \"" + topic + "\"");
        }
        m_context.publish();
        return {};
    }

    Status dictationLoadVocabulary(const std::vector<std::string>& phrases) override {
        if (Status loaded = dictationLoad("", LoadOption::Static); !loaded || phrases.empty()) {
            return loaded;
        }
        m_context.grammarState().vocabulary = m_context.core().vocabulary(phrases);
        m_context.publish();
        return {};
    }

    Status dictationSetState(RuleState ruleState) override {
        auto& state = m_context.grammarState();
        if (state.topic == DictationTopic::None) {
            return Status::failure(EINVAL, "no dictation is loaded");
        }
        state.dictationActive = ruleState == RuleState::Active;
        m_context.publish();
        return {};
    }

    bool hasRule(const std::string& name) const override {
        const auto& rules = m_context.grammarState().parsed.rules;
        return std::any_of(rules.begin(), rules.end(),
                           [&](const XmlGrammarRule& rule) { return rule.name == name; });
    }

private:
    SphinxRecoContext& m_context;
};

long streamBytes(std::uint64_t samples) {
    return static_cast<long>(samples * sizeof(std::int16_t));
}

} // namespace

SphinxRecoContext::SphinxRecoContext(Recognizer& recognizer, std::shared_ptr<SphinxEngineCore> core,
                                     std::shared_ptr<SpeechAudioSource> source, UiPoster& poster,
                                     SpeechEventSink& sink, VoiceAdaptation adaptation)
    : m_recognizer(recognizer), m_core(std::move(core)), m_source(std::move(source)),
      m_relay(poster, sink, kDefaultInterests),
      m_reportListening(std::getenv("KELVO_REPORT_LISTENING") != nullptr) {
    startListening(std::move(adaptation));
}

void SphinxRecoContext::startListening(VoiceAdaptation adaptation) {
    m_inputFailed = false;
    if (!m_source) {
        return;
    }
    ListenerEvents events;
    events.beforeListening = [core = m_core, adaptation = std::move(adaptation)] {
        core->warmUpCommands();
        core->useAdaptation(adaptation);
    };
    events.outcome = [this](const SpeechOutcome& outcome) {
        // What was heard, for the spoken checks to show when they fail.
        if (m_reportListening && outcome.kind != SpeechOutcome::Kind::Hypothesis) {
            std::fprintf(stderr, "kelvo: heard \"%s\"%s%s\n", outcome.text.c_str(),
                         outcome.kind == SpeechOutcome::Kind::Recognition ? "" : " (rejected)",
                         outcome.poorFit.value_or(false) ? " (poor fit)" : "");
        }
        // Persistently poor recognition asks for the voice to be trained.
        const bool askForTraining = outcome.kind != SpeechOutcome::Kind::Hypothesis &&
                                    m_quality.utteranceEnded(outcome.poorFit) &&
                                    m_core->claimTrainingRequest();
        PhraseEvent event;
        event.streamNumber = 1;
        event.streamPosition = streamBytes(outcome.resultAt);
        event.text = outcome.text;
        event.ruleName = outcome.ruleName;
        if (outcome.kind == SpeechOutcome::Kind::Recognition) {
            m_relay.postRecognition(std::move(event));
        } else if (outcome.kind == SpeechOutcome::Kind::Hypothesis) {
            m_relay.postHypothesis(std::move(event));
        } else {
            m_relay.postFalseRecognition(std::move(event));
        }
        if (askForTraining) {
            m_relay.postRequestUI({1, streamBytes(outcome.resultAt), kUiUserTraining});
        }
    };
    events.interference = [this](int code) {
        if (code == interference::kNoSignal || code == interference::kNone) {
            const bool lost = code == interference::kNoSignal;
            if (m_core->noteSignalLost(lost) == lost) {
                return;
            }
            if (m_reportListening) {
                std::fprintf(stderr, "kelvo: %s\n", lost ? "no signal" : "signal back");
            }
        }
        m_relay.postInterference({1, 0, code});
    };
    // A microphone that stops is a dead input to the user, and stays so
    // until the recognizer opens it again.
    events.failed = [this](const Status& why) {
        m_inputFailed = true;
        if (!m_core->noteSignalLost(true)) {
            m_relay.postInterference({1, 0, interference::kNoSignal});
        }
        m_relay.postInputLost({1, why.message()});
    };
    m_listener = std::make_unique<SphinxListener>(
        m_core->commands(), [core = m_core] { return core->dictation(); }, m_core->wordsMutex(),
        m_source, std::move(events));
}

SphinxRecoContext::~SphinxRecoContext() {
    // Stop the decoder thread before the relay it posts through goes.
    m_listener.reset();
    if (auto cell = m_watcher.lock(); cell && *cell == this) {
        *cell = nullptr;
    }
}

void SphinxRecoContext::listenWith(std::shared_ptr<SpeechAudioSource> source,
                                   VoiceAdaptation adaptation) {
    m_listener.reset();
    m_source = std::move(source);
    startListening(std::move(adaptation));
    publish();
}

unsigned SphinxRecoContext::eventInterests() const {
    return m_relay.interests();
}

Status SphinxRecoContext::setEventInterests(unsigned interests) {
    m_relay.setInterests(interests);
    return {};
}

Result<std::unique_ptr<SpeechGrammar>> SphinxRecoContext::createGrammar(int id) {
    if (m_grammar.exists) {
        return Status::failure(EINVAL, "the context already has its grammar");
    }
    (void)id;
    return std::unique_ptr<SpeechGrammar>(new SphinxGrammar(*this));
}

void SphinxRecoContext::publish() {
    if (!m_listener) {
        return;
    }
    ListeningState state;
    bool anyActive =
        std::find(m_grammar.active.begin(), m_grammar.active.end(), true) != m_grammar.active.end();
    if (anyActive) {
        state.grammar = m_core->compile(m_grammar.xml, m_grammar.parsed, m_grammar.active);
        state.rulesActive = true;
    }
    state.dictation = m_grammar.topic;
    state.dictationActive = m_grammar.dictationActive;
    if (m_grammar.vocabulary) {
        state.vocabulary = m_grammar.vocabulary->grammar();
        if (!state.vocabulary) {
            state.pendingVocabulary = m_grammar.vocabulary;
        }
    }
    if (m_reportListening) {
        const char* what = !state.dictationActive                    ? "commands"
                           : state.dictation == DictationTopic::Free ? "dictation"
                                                                     : "spelling";
        if (!state.dictationActive && !state.rulesActive) {
            what = "nothing";
        }
        if (m_reported != what) {
            m_reported = what;
            std::fprintf(stderr, "kelvo: listening for %s\n", what);
        }
    }
    m_listener->setListeningState(std::move(state));
}

} // namespace kelvo::speech
