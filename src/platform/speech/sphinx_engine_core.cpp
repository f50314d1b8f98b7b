#include "platform/speech/sphinx_engine_core.h"

#include "platform/atomic_file.h"
#include "platform/speech/sphinx_adaptation_files.h"
#include "platform/speech/sphinx_session.h"
#include "platform/speech/sphinx_vocabulary_grammar.h"
#include "platform/speech/sphinx_warm_up.h"

#include <cstdio>

namespace kelvo::speech {

Result<std::shared_ptr<SphinxEngineCore>>
SphinxEngineCore::create(const SphinxPlatformOptions& options) {
    std::shared_ptr<SphinxEngineCore> core(new SphinxEngineCore(options));
    auto decoder = SphinxDecoder::create(options.decoder);
    if (!decoder) {
        return decoder.error();
    }
    core->m_commands = std::move(decoder).value();
    std::string supplementary;
    if (Result<std::string> text = readWholeFile(options.supplementaryDictionary)) {
        supplementary = *text;
    } else {
        std::fprintf(stderr, "kelvo: no supplementary dictionary: %s\n",
                     text.error().message().c_str());
    }
    if (Status prepared = prepareCommandDecoder(*core->m_commands, supplementary); !prepared) {
        return prepared;
    }
    core->m_lexicon = std::make_unique<DecoderLexicon>(
        *core->m_commands,
        EspeakPronouncer("espeak-ng", [ending = &core->m_ending] { return ending->load(); }));
    // The lexicon may be asked from here and from the UI thread at once; the
    // decoder's log tables are only read.
    core->m_vocabularies = std::make_unique<SphinxVocabularyCompiler>(
        [lexicon = core->m_lexicon.get(), logmath = core->m_commands->logmath(),
         options = options.vocabulary](const std::vector<std::string>& texts) {
            return compileVocabulary(texts, *lexicon, logmath, options);
        });
    return core;
}

SphinxEngineCore::~SphinxEngineCore() {
    m_ending = true;
}

void SphinxEngineCore::warmUpCommands() {
    std::call_once(m_commandsWarm, [this] {
        if (Status warm = warmUpDecoder(*m_commands, warmUpSpeech()); !warm) {
            std::fprintf(stderr, "kelvo: %s\n", warm.message().c_str());
        }
    });
}

void SphinxEngineCore::useAdaptation(const VoiceAdaptation& adaptation) {
    std::string key = adaptation.empty() ? std::string()
                                         : formatCmnValues(adaptation.cmnStart) + "|" +
                                               adaptation.mllrFile.string();
    if (key == m_adaptationInForce) {
        return;
    }
    if (Status adapted = m_commands->adapt(adaptation); !adapted) {
        std::fprintf(stderr, "kelvo: %s\n", adapted.message().c_str());
        return;
    }
    m_adaptationInForce = key;
}

void SphinxEngineCore::startLoadingDictation() {
    std::lock_guard lock(m_dictationMutex);
    if (m_languageModel.valid()) {
        return;
    }
    // Reading the model takes a second; the search is made from it on the
    // decoding thread, in the command decoder, so the acoustic model and
    // the dictionary are held once.
    m_languageModel =
        std::async(std::launch::async, [this]() -> std::shared_ptr<ngram_model_s> {
            auto model = m_commands->readLanguageModel(m_options.decoder.model.languageModel);
            if (!model) {
                std::fprintf(stderr, "kelvo: no dictation: %s\n", model.error().message().c_str());
                return nullptr;
            }
            return std::shared_ptr<ngram_model_s>(std::move(model).value());
        }).share();
}

SphinxDecoder* SphinxEngineCore::dictation() {
    startLoadingDictation();
    std::shared_future<std::shared_ptr<ngram_model_s>> loading;
    {
        std::lock_guard lock(m_dictationMutex);
        loading = m_languageModel;
    }
    std::shared_ptr<ngram_model_s> model = loading.get();
    if (!model) {
        return nullptr;
    }
    std::call_once(m_dictationSearch, [&] {
        std::lock_guard words(wordsMutex());
        Status added = m_commands->addLanguageModelSearch(kDictationSearchName, model.get());
        if (!added) {
            std::fprintf(stderr, "kelvo: no dictation: %s\n", added.message().c_str());
        }
        m_dictationReady = added.ok();
    });
    return m_dictationReady ? m_commands.get() : nullptr;
}

std::shared_ptr<const SphinxCommandGrammar>
SphinxEngineCore::compile(const std::string& xml, const XmlGrammar& parsed,
                          const std::vector<bool>& active) {
    std::string key = grammarKey(xml, active);
    if (auto found = m_grammars.find(key); found != m_grammars.end()) {
        return found->second;
    }
    auto compiled = std::make_shared<const SphinxCommandGrammar>(compileCommandGrammar(
        parsed, active, key, *m_lexicon, m_commands->logmath(), m_options.grammar));
    for (const XmlGrammarProblem& problem : compiled->problems) {
        std::fprintf(stderr, "kelvo: the rule \"%s\" cannot be heard: %s\n", problem.rule.c_str(),
                     problem.reason.c_str());
    }
    if (m_grammars.size() >= kCachedGrammars) {
        m_grammars.clear();
    }
    m_grammars.emplace(key, compiled);
    return compiled;
}

} // namespace kelvo::speech
