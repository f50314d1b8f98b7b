#include "platform/speech/sound_capture.h"
#include "platform/speech/sphinx_audio_source.h"
#include "platform/speech/sphinx_decoder.h"
#include "platform/speech/sphinx_lexicon.h"
#include "platform/speech/sphinx_session.h"
#include "platform/speech/sphinx_wav.h"
#include "platform/speech/sphinx_xml_grammar.h"

namespace kelvo::speech {
namespace {

class SphinxPhraseCheck : public PhraseCheck {
public:
    explicit SphinxPhraseCheck(std::string dictionary) : m_dictionary(std::move(dictionary)) {}

    Result<std::string> heard(const std::vector<std::int16_t>& samples,
                              const std::vector<std::string>& phrases) override {
        if (!m_decoder) {
            SphinxDecoderOptions options;
            options.model = installedSphinxModel();
            auto decoder = SphinxDecoder::create(options);
            if (!decoder) {
                return decoder.error();
            }
            if (Status prepared = prepareCommandDecoder(**decoder, m_dictionary); !prepared) {
                return prepared;
            }
            m_decoder = std::move(decoder).value();
            m_lexicon = std::make_unique<DecoderLexicon>(*m_decoder, EspeakPronouncer());
        }
        // Only the phrases, each a rule; anything else falls to the garbage
        // loop and is heard as no phrase.
        std::string xml = "<GRAMMAR LANGID=\"409\">";
        for (const std::string& phrase : phrases) {
            std::string text;
            for (char c : phrase) {
                text += c == '&'   ? "&amp;"
                        : c == '<' ? "&lt;"
                        : c == '"' ? "&quot;"
                                   : std::string(1, c);
            }
            xml += "<RULE NAME=\"" + text + "\" TOPLEVEL=\"ACTIVE\"><P>" + text + "</P></RULE>";
        }
        xml += "</GRAMMAR>";
        Result<XmlGrammar> grammar = parseXmlGrammar(xml);
        if (!grammar) {
            return grammar.error();
        }
        std::vector<bool> active(grammar->rules.size(), true);
        auto compiled = std::make_shared<const SphinxCommandGrammar>(compileCommandGrammar(
            *grammar, active, "phrase-check", *m_lexicon, m_decoder->logmath(), {}));
        SphinxSession session(*m_decoder, [] { return nullptr; });
        session.setListeningState({compiled, true, DictationTopic::None, false, nullptr, nullptr});
        // A second of room noise after it, so the utterance ends.
        std::vector<std::int16_t> sound = samples;
        std::uint32_t seed = 99;
        const std::size_t recorded = sound.size();
        sound.resize(recorded + 2 * kSpeechSampleRate);
        fillWithRoomNoise(sound.data() + recorded, sound.size() - recorded, seed);
        std::string heardPhrase;
        for (std::size_t at = 0; at < sound.size(); at += 1600) {
            const std::size_t n = std::min<std::size_t>(1600, sound.size() - at);
            auto outcomes = session.feed(sound.data() + at, n);
            if (!outcomes) {
                return outcomes.error();
            }
            for (const SpeechOutcome& outcome : *outcomes) {
                if (outcome.kind == SpeechOutcome::Kind::Recognition && heardPhrase.empty()) {
                    heardPhrase = outcome.ruleName;
                }
            }
        }
        return heardPhrase;
    }

private:
    std::string m_dictionary;
    std::unique_ptr<SphinxDecoder> m_decoder;
    std::unique_ptr<DecoderLexicon> m_lexicon;
};

} // namespace

std::unique_ptr<PhraseCheck> makeSphinxPhraseCheck(std::string supplementaryDictionary) {
    return std::make_unique<SphinxPhraseCheck>(std::move(supplementaryDictionary));
}

} // namespace kelvo::speech
