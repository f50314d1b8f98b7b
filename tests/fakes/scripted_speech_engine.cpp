#include "fakes/scripted_speech_engine.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <sstream>

namespace kelvo::fakes {

using speech::LoadOption;
using speech::RuleState;
using speech::SpeechToken;

namespace {

constexpr std::size_t kMaxExpansions = 20000;

std::string normalise(const std::string& text, bool lower) {
    std::string out;
    bool blank = false;
    for (char c : text) {
        if (c == '+' || c == '-')
            continue;
        if (std::isspace(static_cast<unsigned char>(c))) {
            blank = !out.empty();
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        out += lower ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : c;
    }
    return out;
}

std::string join(const std::string& a, const std::string& b) {
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return a + " " + b;
}

std::vector<std::string> expandNode(const pugi::xml_node& node);

std::vector<std::string> expandSequence(const pugi::xml_node& parent) {
    std::vector<std::string> results{""};
    for (const auto& child : parent.children()) {
        std::vector<std::string> part = expandNode(child);
        if (part.empty())
            continue;
        std::vector<std::string> next;
        for (const auto& head : results)
            for (const auto& tail : part)
                if (next.size() < kMaxExpansions)
                    next.push_back(join(head, tail));
        results = std::move(next);
    }
    return results;
}

std::vector<std::string> expandNode(const pugi::xml_node& node) {
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
        return {normalise(node.value(), false)};
    if (node.type() != pugi::node_element)
        return {};
    const std::string name = node.name();
    if (name == "L") {
        std::vector<std::string> all;
        for (const auto& child : node.children())
            for (auto& alt : expandNode(child))
                all.push_back(std::move(alt));
        return all;
    }
    if (name == "O") {
        auto inner = expandSequence(node);
        inner.insert(inner.begin(), "");
        return inner;
    }
    return expandSequence(node);
}

} // namespace

Result<std::map<std::string, std::vector<std::string>>> expandGrammarFile(const std::string& path) {
    pugi::xml_document document;
    const auto parsed = document.load_file(path.c_str());
    if (!parsed)
        return Status::failure(-2147200992,
                               "Cannot load grammar " + path + ": " + parsed.description());
    const auto grammar =
        document.child("GRAMMAR") ? document.child("GRAMMAR") : document.child("Grammar");
    if (!grammar)
        return Status::failure(-2147200992, "No grammar element in " + path);
    std::map<std::string, std::vector<std::string>> rules;
    for (const auto& rule : grammar.children("RULE")) {
        auto& phrases = rules[rule.attribute("NAME").value()];
        for (auto& phrase : expandSequence(rule))
            if (!phrase.empty())
                phrases.push_back(std::move(phrase));
    }
    return rules;
}

// --- grammar -----------------------------------------------------------------

class ScriptedGrammar : public speech::SpeechGrammar {
public:
    ScriptedGrammar(ScriptedSpeechPlatform& platform, ScriptedSpeechPlatform::GrammarState& state)
        : m_platform(platform), m_state(state) {}

    Status cmdLoadFromFile(const std::string& path, LoadOption option) override {
        if (auto status = m_platform.enter("CmdLoadFromFile " + path + " " +
                                           std::to_string(static_cast<int>(option)));
            !status)
            return status;
        auto rules = expandGrammarFile(path);
        if (!rules)
            return rules.error();
        m_state.rules = std::move(rules).value();
        m_state.loadedFile = path;
        // Freshly loaded rules listen only once they are activated.
        m_state.rulesActive = false;
        return {};
    }

    Status cmdSetRuleIdState(int ruleId, RuleState state) override {
        if (auto status = m_platform.enter("CmdSetRuleIdState " + std::to_string(ruleId) + " " +
                                           std::to_string(static_cast<int>(state)));
            !status)
            return status;
        if (ruleId != speech::kAllRules)
            return Status::failure(-2147200999, "Unknown rule id");
        m_state.rulesActive = state == RuleState::Active;
        return {};
    }

    Status dictationLoad(const std::string& topic, LoadOption option) override {
        if (auto status = m_platform.enter("DictationLoad '" + topic + "' " +
                                           std::to_string(static_cast<int>(option)));
            !status)
            return status;
        if (!topic.empty() && topic != speech::kTopicSpelling)
            return Status::failure(-2147200999, "Unknown dictation topic " + topic);
        m_state.dictationTopic = topic;
        m_state.dictationActive = false;
        m_state.dictationVocabulary.clear();
        return {};
    }

    Status dictationLoadVocabulary(const std::vector<std::string>& phrases) override {
        if (auto status =
                m_platform.enter("DictationLoadVocabulary " + std::to_string(phrases.size()));
            !status)
            return status;
        m_state.dictationTopic = "";
        m_state.dictationActive = false;
        m_state.dictationVocabulary = phrases;
        return {};
    }

    Status dictationSetState(RuleState state) override {
        if (auto status =
                m_platform.enter("DictationSetState " + std::to_string(static_cast<int>(state)));
            !status)
            return status;
        if (!m_state.dictationTopic)
            return Status::failure(-2147200999, "No dictation loaded");
        m_state.dictationActive = state == RuleState::Active;
        return {};
    }

    bool hasRule(const std::string& name) const override {
        m_platform.calls.push_back("HasRule " + name);
        return m_state.rules.count(name) != 0;
    }

private:
    ScriptedSpeechPlatform& m_platform;
    ScriptedSpeechPlatform::GrammarState& m_state;
};

// --- recognizer and context ---------------------------------------------------

class ScriptedRecognizer : public speech::Recognizer {
public:
    explicit ScriptedRecognizer(ScriptedSpeechPlatform& platform) : m_platform(platform) {
        ++m_platform.liveRecognizers;
        if (!m_platform.engines.empty())
            m_engine = m_platform.engines.front();
    }
    ~ScriptedRecognizer() override { --m_platform.liveRecognizers; }

    Result<std::vector<SpeechToken>> getRecognizers(const std::string& required,
                                                    const std::string& optional) override {
        if (auto status = m_platform.enter("GetRecognizers " + required + "|" + optional); !status)
            return status;
        return m_platform.engines;
    }

    Status setRecognizer(const SpeechToken& engine) override {
        if (auto status = m_platform.enter("SetRecognizer " + engine.description); !status)
            return status;
        m_engine = engine;
        return {};
    }

    SpeechToken recognizerToken() const override { return m_engine; }

    Result<std::vector<SpeechToken>> getProfiles() override {
        if (auto status = m_platform.enter("GetProfiles"); !status)
            return status;
        return m_platform.profiles;
    }

    Status setProfile(const SpeechToken& profile) override {
        if (auto status = m_platform.enter("SetProfile " + profile.description); !status)
            return status;
        m_profile = profile;
        return {};
    }

    Result<SpeechToken> profile() const override {
        if (m_profile)
            return *m_profile;
        for (const auto& profile : m_platform.profiles)
            if (profile.id == m_platform.defaultProfileId)
                return profile;
        return Status::failure(-2147200999, "No profile");
    }

    Status setAudioInput(const SpeechToken& input) override {
        return m_platform.enter("SetAudioInput " + input.id);
    }

    Status refreshProfile() override {
        if (auto status = m_platform.enter("RefreshProfile"); !status)
            return status;
        m_platform.inputLost = false;
        return {};
    }

    Result<std::unique_ptr<speech::RecoContext>>
    createRecoContext(speech::SpeechEventSink& sink) override;

    Status setPropertyNumber(const std::string& name, long value) override {
        if (auto status =
                m_platform.enter("SetPropertyNumber " + name + " " + std::to_string(value));
            !status)
            return status;
        m_platform.properties[name] = value;
        return {};
    }

    Status displayUI(const std::string& title, const std::string& type,
                     const std::string& extraData) override {
        return m_platform.enter("DisplayUI " + title + "|" + type + "|" + extraData);
    }

private:
    ScriptedSpeechPlatform& m_platform;
    SpeechToken m_engine;
    std::optional<SpeechToken> m_profile;
};

class ScriptedContext : public speech::RecoContext {
public:
    ScriptedContext(ScriptedSpeechPlatform& platform, speech::Recognizer& recognizer,
                    std::unique_ptr<speech::Recognizer> owned, speech::SpeechEventSink& sink)
        : m_platform(platform), m_recognizer(recognizer), m_owned(std::move(owned)),
          m_relay(platform.poster(), sink, platform.initialInterests) {
        ++m_platform.liveContexts;
        m_platform.contextCreated(this);
    }
    ~ScriptedContext() override {
        --m_platform.liveContexts;
        m_platform.contextReleased(this);
    }

    unsigned eventInterests() const override { return m_relay.interests(); }

    Status setEventInterests(unsigned interests) override {
        if (auto status = m_platform.enter("SetEventInterests " + std::to_string(interests));
            !status)
            return status;
        m_relay.setInterests(interests);
        return {};
    }

    Result<std::unique_ptr<speech::SpeechGrammar>> createGrammar(int id) override {
        if (auto status = m_platform.enter("CreateGrammar " + std::to_string(id)); !status)
            return status;
        if (m_hasGrammar)
            return Status::failure(-2147200999, "The context already has a grammar");
        m_hasGrammar = true;
        return std::unique_ptr<speech::SpeechGrammar>(
            std::make_unique<ScriptedGrammar>(m_platform, state));
    }

    speech::Recognizer& recognizer() override { return m_recognizer; }

    ScriptedSpeechPlatform::GrammarState state;
    speech::SpeechEventRelay& relay() { return m_relay; }

private:
    ScriptedSpeechPlatform& m_platform;
    speech::Recognizer& m_recognizer;
    std::unique_ptr<speech::Recognizer> m_owned;
    speech::SpeechEventRelay m_relay;
    bool m_hasGrammar = false;
};

Result<std::unique_ptr<speech::RecoContext>>
ScriptedRecognizer::createRecoContext(speech::SpeechEventSink& sink) {
    if (auto status = m_platform.enter("CreateRecoContext"); !status)
        return status;
    return std::unique_ptr<speech::RecoContext>(
        std::make_unique<ScriptedContext>(m_platform, *this, nullptr, sink));
}

// --- platform ------------------------------------------------------------------

ScriptedSpeechPlatform::ScriptedSpeechPlatform(speech::UiPoster& poster) : m_poster(poster) {}

ScriptedSpeechPlatform::~ScriptedSpeechPlatform() = default;

Status ScriptedSpeechPlatform::enter(const std::string& call) {
    calls.push_back(call);
    const auto name = call.substr(0, call.find(' '));
    auto found = m_failures.find(name);
    if (found == m_failures.end())
        return {};
    Status error = found->second.error;
    if (found->second.times > 0 && --found->second.times == 0)
        m_failures.erase(found);
    return error;
}

void ScriptedSpeechPlatform::failOn(const std::string& operation, Status error, int times) {
    m_failures[operation] = Failure{std::move(error), times};
}

void ScriptedSpeechPlatform::contextReleased(ScriptedContext* context) {
    if (m_live == context)
        m_live = nullptr;
}

Result<std::unique_ptr<speech::Recognizer>> ScriptedSpeechPlatform::createRecognizer() {
    if (auto status = enter("CreateRecognizer"); !status)
        return status;
    return std::unique_ptr<speech::Recognizer>(std::make_unique<ScriptedRecognizer>(*this));
}

Result<std::unique_ptr<speech::RecoContext>>
ScriptedSpeechPlatform::createBareRecoContext(speech::SpeechEventSink& sink) {
    if (auto status = enter("CreateBareRecoContext"); !status)
        return status;
    auto recognizer = std::make_unique<ScriptedRecognizer>(*this);
    auto& ref = *recognizer;
    return std::unique_ptr<speech::RecoContext>(
        std::make_unique<ScriptedContext>(*this, ref, std::move(recognizer), sink));
}

Result<SpeechToken> ScriptedSpeechPlatform::defaultAudioInput() {
    if (auto status = enter("DefaultAudioInput"); !status)
        return status;
    return audioInput;
}

Result<SpeechToken> ScriptedSpeechPlatform::createProfile(const std::string& description) {
    if (auto status = enter("CreateProfile " + description); !status)
        return status;
    SpeechToken token{"profile-" + std::to_string(profiles.size()), description};
    profiles.push_back(token);
    return token;
}

Status ScriptedSpeechPlatform::setDefaultProfile(const std::string& profileId) {
    if (auto status = enter("SetDefaultProfile " + profileId); !status)
        return status;
    defaultProfileId = profileId;
    return {};
}

std::vector<std::string>
ScriptedSpeechPlatform::callsStartingWith(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& call : calls)
        if (call.rfind(prefix, 0) == 0)
            out.push_back(call);
    return out;
}

const ScriptedSpeechPlatform::GrammarState* ScriptedSpeechPlatform::grammarState() const {
    return m_live != nullptr ? &m_live->state : nullptr;
}

namespace {
/// The rule and its phrase text that hear the words, if any.
std::optional<std::pair<std::string, std::string>>
matchRule(const ScriptedSpeechPlatform::GrammarState& state, const std::string& phrase) {
    if (!state.rulesActive)
        return std::nullopt;
    const auto wanted = normalise(phrase, true);
    for (const auto& [name, phrases] : state.rules)
        for (const auto& text : phrases)
            if (normalise(text, true) == wanted)
                return std::make_pair(name, text);
    return std::nullopt;
}
} // namespace

bool ScriptedSpeechPlatform::couldHear(const std::string& phrase) const {
    const auto* state = grammarState();
    if (state == nullptr)
        return false;
    return matchRule(*state, phrase) || state->dictationActive;
}

bool ScriptedSpeechPlatform::say(const std::string& phrase) {
    if (m_live == nullptr || inputLost)
        return false;
    speech::PhraseEvent event;
    event.streamNumber = 1;
    if (auto rule = matchRule(m_live->state, phrase)) {
        event.ruleName = rule->first;
        event.text = rule->second;
        m_live->relay().postRecognition(std::move(event));
        return true;
    }
    if (m_live->state.dictationActive) {
        event.text = normalise(phrase, false);
        m_live->relay().postRecognition(std::move(event));
        return true;
    }
    event.text = normalise(phrase, false);
    m_live->relay().postFalseRecognition(std::move(event));
    return false;
}

void ScriptedSpeechPlatform::hypothesis(const std::string& phrase) {
    if (m_live != nullptr)
        m_live->relay().postHypothesis(speech::PhraseEvent{1, 0, 0, normalise(phrase, false), ""});
}

void ScriptedSpeechPlatform::interfere(int code) {
    if (m_live != nullptr)
        m_live->relay().postInterference(speech::InterferenceEvent{1, 0, code});
}

void ScriptedSpeechPlatform::requestUI(const std::string& type) {
    if (m_live != nullptr)
        m_live->relay().postRequestUI(speech::RequestUiEvent{1, 0, type});
}

void ScriptedSpeechPlatform::loseInput() {
    inputLost = true;
    if (m_live != nullptr)
        m_live->relay().postInputLost(speech::InputLostEvent{1, "the input stopped"});
}

} // namespace kelvo::fakes
