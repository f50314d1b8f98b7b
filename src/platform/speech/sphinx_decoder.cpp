#include "platform/speech/sphinx_decoder.h"

#include <pocketsphinx.h>
#include <sphinxbase/err.h>
#include <sphinxbase/ngram_model.h>

#include <algorithm>
#include <cstdlib>

#ifndef KELVO_SPHINX_MODEL_DIR
#define KELVO_SPHINX_MODEL_DIR "/usr/share/pocketsphinx/model"
#endif

namespace kelvo::speech {

SphinxModelPaths installedSphinxModel() {
    std::filesystem::path base = std::filesystem::path(KELVO_SPHINX_MODEL_DIR) / "en-us";
    return {base / "en-us", base / "cmudict-en-us.dict", base / "en-us.lm.bin"};
}

Result<std::unique_ptr<SphinxDecoder>> SphinxDecoder::create(const SphinxDecoderOptions& options) {
    for (const std::filesystem::path& path :
         {options.model.acousticModel, options.model.dictionary}) {
        if (!std::filesystem::exists(path)) {
            return Status::failure(ENOENT, "the speech model is missing: " + path.string());
        }
    }
    // The library logs to stderr by default; the program keeps it quiet.
    err_set_logfp(nullptr);
    std::string postSpeech = std::to_string(options.endSilenceFrames);
    std::vector<std::string> arguments{"kelvo", "-hmm", options.model.acousticModel.string(),
                                       "-dict", options.model.dictionary.string(), "-cmn", "live",
                                       "-vad_postspeech", postSpeech,
                                       // Speech is sure after 50 ms: a pause
                                       // inside a phrase is bridged sooner.
                                       "-vad_startspeech", "5", "-fsgusealtpron", "no",
                                       // More Gaussians per frame: markedly fewer
                                       // confusions between similar commands.
                                       "-topn", "16",
                                       // Wider beams: fewer commands lost to
                                       // a path pruned early, for a third
                                       // more decoding time.
                                       "-beam", "1e-60", "-wbeam", "1e-40", "-pbeam", "1e-60",
                                       // Exact zeros have no log energy;
                                       // not every caller fills them first.
                                       "-dither", "yes"};
    if (options.extraArguments.size() % 2 != 0) {
        return Status::failure(EINVAL, "the speech decoder settings come in name and value pairs");
    }
    // A setting given again replaces ours: the library refuses duplicates.
    for (std::size_t i = 0; i < options.extraArguments.size(); i += 2) {
        const std::string& name = options.extraArguments[i];
        std::size_t at = 1;
        while (at < arguments.size() && arguments[at] != name) {
            at += 2; // names only, never values
        }
        if (at < arguments.size()) {
            arguments[at + 1] = options.extraArguments[i + 1];
        } else {
            arguments.push_back(name);
            arguments.push_back(options.extraArguments[i + 1]);
        }
    }
    if (options.withLanguageModel) {
        arguments.insert(arguments.end(), {"-lm", options.model.languageModel.string()});
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    cmd_ln_t* config =
        cmd_ln_parse_r(nullptr, ps_args(), static_cast<int32>(argv.size()), argv.data(), TRUE);
    if (!config) {
        return Status::failure(EINVAL, "the speech decoder settings were refused");
    }
    ps_decoder_t* decoder = ps_init(config);
    cmd_ln_free_r(config);
    if (!decoder) {
        return Status::failure(EIO, "the speech model could not be loaded");
    }
    return std::unique_ptr<SphinxDecoder>(new SphinxDecoder(decoder));
}

SphinxDecoder::SphinxDecoder(ps_decoder_s* decoder) : m_decoder(decoder) {}

SphinxDecoder::~SphinxDecoder() {
    // A grammar search frees its active paths only when the utterance ends.
    if (m_inUtterance) {
        ps_end_utt(m_decoder);
    }
    ps_free(m_decoder);
}

bool SphinxDecoder::hasWord(const std::string& word) const {
    char* phones = ps_lookup_word(m_decoder, word.c_str());
    std::free(phones);
    return phones != nullptr;
}

std::string SphinxDecoder::phones(const std::string& entry) const {
    char* phones = ps_lookup_word(m_decoder, entry.c_str());
    std::string result = phones ? phones : "";
    std::free(phones);
    return result;
}

std::vector<std::string> SphinxDecoder::variants(const std::string& word) const {
    std::vector<std::string> result;
    if (!hasWord(word)) {
        return result;
    }
    result.push_back(word);
    for (int n = 2;; ++n) {
        std::string variant = word + "(" + std::to_string(n) + ")";
        if (!hasWord(variant)) {
            break;
        }
        result.push_back(std::move(variant));
    }
    return result;
}

Status SphinxDecoder::addWords(const std::vector<std::pair<std::string, std::string>>& words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        // Only the last word rebuilds the searches.
        int update = i + 1 == words.size() ? TRUE : FALSE;
        if (ps_add_word(m_decoder, words[i].first.c_str(), words[i].second.c_str(), update) < 0) {
            return Status::failure(EINVAL, "cannot add the word \"" + words[i].first + "\" (" +
                                               words[i].second + ")");
        }
    }
    return {};
}

logmath_s* SphinxDecoder::logmath() const {
    return ps_get_logmath(m_decoder);
}

float SphinxDecoder::languageWeight() const {
    return static_cast<float>(cmd_ln_float32_r(ps_get_config(m_decoder), "-lw"));
}

Status SphinxDecoder::addGrammarSearch(const std::string& name, fsg_model_s* fsg) {
    if (ps_set_fsg(m_decoder, name.c_str(), fsg) != 0) {
        return Status::failure(EINVAL, "the recognizer refused the grammar");
    }
    return {};
}

void LanguageModelDeleter::operator()(ngram_model_s* model) const {
    ngram_model_free(model);
}

Result<LanguageModelPtr> SphinxDecoder::readLanguageModel(const std::filesystem::path& path) const {
    ngram_model_t* model = ngram_model_read(ps_get_config(m_decoder), path.c_str(), NGRAM_AUTO,
                                            ps_get_logmath(m_decoder));
    if (!model) {
        return Status::failure(EIO, "the language model could not be read: " + path.string());
    }
    return LanguageModelPtr(model);
}

Status SphinxDecoder::addLanguageModelSearch(const std::string& name, ngram_model_s* model) {
    if (ps_set_lm(m_decoder, name.c_str(), model) != 0) {
        return Status::failure(EINVAL, "the recognizer refused the language model");
    }
    return {};
}

bool SphinxDecoder::hasSearch(const std::string& name) const {
    for (ps_search_iter_t* it = ps_search_iter(m_decoder); it; it = ps_search_iter_next(it)) {
        if (name == ps_search_iter_val(it)) {
            ps_search_iter_free(it);
            return true;
        }
    }
    return false;
}

Status SphinxDecoder::useSearch(const std::string& name) {
    if (ps_set_search(m_decoder, name.c_str()) != 0) {
        return Status::failure(EINVAL, "no search named " + name);
    }
    return {};
}

std::string SphinxDecoder::currentSearch() const {
    const char* name = ps_get_search(m_decoder);
    return name ? name : "";
}

void SphinxDecoder::removeSearch(const std::string& name) {
    ps_unset_search(m_decoder, name.c_str());
}

Status SphinxDecoder::startUtterance() {
    if (ps_start_utt(m_decoder) != 0) {
        return Status::failure(EIO, "the recognizer could not start listening");
    }
    m_inUtterance = true;
    return {};
}

Status SphinxDecoder::process(const std::int16_t* samples, std::size_t count) {
    if (ps_process_raw(m_decoder, samples, count, FALSE, FALSE) < 0) {
        return Status::failure(EIO, "the recognizer failed on the sound");
    }
    return {};
}

bool SphinxDecoder::inSpeech() const {
    return ps_get_in_speech(m_decoder) != 0;
}

int SphinxDecoder::endSilenceFrames() const {
    return static_cast<int>(cmd_ln_int32_r(ps_get_config(m_decoder), "-vad_postspeech"));
}

std::string SphinxDecoder::partialHypothesis() const {
    if (!m_inUtterance) {
        return {};
    }
    const char* hyp = ps_get_hyp(m_decoder, nullptr);
    return hyp ? hyp : "";
}

std::vector<SphinxDecoder::Span> SphinxDecoder::spans() const {
    std::vector<Span> result;
    for (ps_seg_t* seg = ps_seg_iter(m_decoder); seg; seg = ps_seg_next(seg)) {
        Span span;
        span.word = ps_seg_word(seg);
        ps_seg_frames(seg, &span.first, &span.last);
        int32 acoustic = 0;
        int32 language = 0;
        int32 back = 0;
        ps_seg_prob(seg, &acoustic, &language, &back);
        // Senone scores are kept shifted down by 10 bits.
        span.acoustic = logmath_log_to_ln(ps_get_logmath(m_decoder), acoustic) * 1024.0;
        result.push_back(std::move(span));
    }
    return result;
}

std::string SphinxDecoder::endUtterance() {
    if (!m_inUtterance) {
        return {};
    }
    m_inUtterance = false;
    ps_end_utt(m_decoder);
    const char* hyp = ps_get_hyp(m_decoder, nullptr);
    return hyp ? hyp : "";
}

} // namespace kelvo::speech
