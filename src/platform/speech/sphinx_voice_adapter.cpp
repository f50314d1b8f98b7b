#include "platform/speech/sphinx_voice_adapter.h"

#include "platform/atomic_file.h"
#include "platform/speech/sphinx_adaptation_files.h"
#include "platform/speech/sphinx_pronouncer.h"
#include "platform/speech/sphinx_tool_runner.h"
#include "platform/speech/sphinx_wav.h"

#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <unistd.h>

namespace kelvo::speech {
namespace {

namespace fs = std::filesystem;

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (!folder.empty() && ::access((fs::path(folder) / program).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

// "-name value" lines of the model's feature settings.
std::map<std::string, std::string> featureSettings(const fs::path& modelFolder) {
    std::map<std::string, std::string> settings;
    std::ifstream in(modelFolder / "feat.params");
    std::string name, value;
    while (in >> name >> value) {
        settings[name] = value;
    }
    return settings;
}

// Lower case, letters and apostrophes only: the dictionary's spelling.
std::vector<std::string> dictionaryWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text + " ") {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalpha(u) || (c == '\'' && !word.empty())) {
            word += static_cast<char>(std::tolower(u));
        } else if (!word.empty()) {
            while (!word.empty() && word.back() == '\'') {
                word.pop_back();
            }
            if (!word.empty()) {
                words.push_back(word);
            }
            word.clear();
        }
    }
    return words;
}

std::string baseWord(const std::string& entry) {
    return entry.substr(0, entry.find('('));
}

class SphinxVoiceAdapter : public VoiceAdapter {
public:
    explicit SphinxVoiceAdapter(SphinxAdapterOptions options) : m_options(std::move(options)) {}

    Status adapt(const fs::path& profileFolder, const std::vector<AdaptationRecording>& recordings,
                 const AdaptationProgress& progress, const std::atomic<bool>& cancel) override;

private:
    Status prepareModel(const std::atomic<bool>& cancel);
    fs::path tool(const char* name) const { return m_options.trainingTools / name; }
    fs::path modelFile(const char* name) const { return m_options.model.acousticModel / name; }

    SphinxAdapterOptions m_options;
    fs::path m_mixtureWeights;
};

Status SphinxVoiceAdapter::prepareModel(const std::atomic<bool>& cancel) {
    std::error_code error;
    fs::create_directories(m_options.cacheFolder, error);
    if (error) {
        return Status::failure(error.value(), "cannot make " + m_options.cacheFolder.string());
    }
    const fs::path definition = m_options.cacheFolder / "mdef.txt";
    if (!fs::exists(definition, error)) {
        const fs::path partial = m_options.cacheFolder / "mdef.txt.part";
        if (Status made = runTool({"pocketsphinx_mdef_convert", "-text", modelFile("mdef").string(),
                                   partial.string()},
                                  m_options.cacheFolder / "mdef.log", cancel);
            !made) {
            return made;
        }
        fs::rename(partial, definition, error);
        if (error) {
            return Status::failure(error.value(), "cannot keep " + definition.string());
        }
    }
    // A full model ships its weights; a recognizer-only one only the
    // compressed form, expanded here once.
    m_mixtureWeights = modelFile("mixture_weights");
    if (!fs::exists(m_mixtureWeights, error)) {
        m_mixtureWeights = m_options.cacheFolder / "mixture_weights";
        if (!fs::exists(m_mixtureWeights, error)) {
            if (Status made =
                    writeMixtureWeightsFromSendump(modelFile("sendump"), m_mixtureWeights);
                !made) {
                return made;
            }
        }
    }
    return {};
}

Status SphinxVoiceAdapter::adapt(const fs::path& profileFolder,
                                 const std::vector<AdaptationRecording>& recordings,
                                 const AdaptationProgress& progress,
                                 const std::atomic<bool>& cancel) {
    auto report = [&](int percent, const char* step) {
        if (progress) {
            progress(percent, step);
        }
    };
    auto stopped = [&] { return cancel.load(); };
    const Status cancelled = Status::failure(kCancelled, "cancelled");
    if (profileFolder.empty()) {
        return Status::failure(ENOENT, "the profile keeps no files");
    }

    report(0, "Preparing the speech model");
    if (Status prepared = prepareModel(cancel); !prepared) {
        return prepared;
    }
    const fs::path work = profileFolder / "adaptation.work";
    std::error_code error;
    fs::remove_all(work, error);
    fs::create_directories(work, error);
    if (error) {
        return Status::failure(error.value(), "cannot make " + work.string());
    }
    // Whatever happens below, the scratch files go; the profile's previous
    // adaptation is only replaced at the very end.
    struct Cleanup {
        fs::path folder;
        ~Cleanup() {
            std::error_code ignored;
            fs::remove_all(folder, ignored);
        }
    } cleanup{work};

    report(5, "Reading the recordings");
    std::vector<std::vector<std::string>> transcripts;
    std::set<std::string> needed;
    for (const AdaptationRecording& recording : recordings) {
        auto words = dictionaryWords(recording.words);
        auto samples = readWavAsSpeech(recording.wav);
        if (words.empty() || !samples || samples->empty()) {
            continue;
        }
        const fs::path copy = work / ("utt" + std::to_string(transcripts.size()) + ".wav");
        if (Status written = writeSpeechWav(copy, *samples); !written) {
            return written;
        }
        needed.insert(words.begin(), words.end());
        transcripts.push_back(std::move(words));
    }
    if (stopped()) {
        return cancelled;
    }

    // Only the words read go into the tools' dictionary: reading all of
    // the model's takes longer than the training.
    std::string dictionary;
    std::set<std::string> known;
    {
        std::ifstream in(m_options.model.dictionary);
        for (std::string line; std::getline(in, line);) {
            const std::string entry = line.substr(0, line.find(' '));
            if (needed.count(baseWord(entry)) != 0) {
                dictionary += line + "\n";
                known.insert(baseWord(entry));
            }
        }
    }
    std::vector<std::string> missing;
    for (const std::string& word : needed) {
        if (known.count(word) == 0) {
            missing.push_back(word);
        }
    }
    if (!missing.empty()) {
        if (auto made = EspeakPronouncer().pronounce(missing)) {
            for (const auto& [word, phones] : *made) {
                dictionary += word + " " + phones + "\n";
                known.insert(word);
            }
        }
    }
    std::string fileIds, transcription;
    std::vector<fs::path> cepstra;
    for (std::size_t i = 0; i < transcripts.size(); ++i) {
        std::string text;
        bool complete = true;
        for (const std::string& word : transcripts[i]) {
            complete = complete && known.count(word) != 0;
            text += (text.empty() ? "" : " ") + word;
        }
        if (!complete) {
            continue; // a word nobody can pronounce would fail the whole run
        }
        const std::string id = "utt" + std::to_string(i);
        fileIds += id + "\n";
        transcription += text + " (" + id + ")\n";
        cepstra.push_back(work / (id + ".mfc"));
    }
    if (cepstra.empty()) {
        return Status::failure(ENODATA, "there is no recorded passage to learn from");
    }
    for (const auto& [name, text] :
         {std::pair{"fileids", fileIds}, std::pair{"transcription", transcription},
          std::pair{"words.dict", dictionary}}) {
        if (Status written = writeFileAtomically(work / name, text); !written) {
            return written;
        }
    }

    report(15, "Measuring the voice");
    const auto settings = featureSettings(m_options.model.acousticModel);
    if (Status made =
            runTool({"sphinx_fe", "-argfile", modelFile("feat.params").string(), "-samprate",
                     "16000", "-c", (work / "fileids").string(), "-di", work.string(), "-do",
                     work.string(), "-ei", "wav", "-eo", "mfc", "-mswav", "yes"},
                    work / "fe.log", cancel);
        !made) {
        return made;
    }
    Result<std::vector<float>> mean = cepstralMean(cepstra);
    if (!mean) {
        return mean.error();
    }

    report(30, "Adapting the model to your voice");
    auto setting = [&](const char* name, const char* fallback) {
        auto found = settings.find(name);
        return found != settings.end() ? found->second : std::string(fallback);
    };
    const std::string model = setting("-model", "ptm");
    std::vector<std::string> counts{tool("bw").string(),
                                    "-moddeffn",
                                    (m_options.cacheFolder / "mdef.txt").string(),
                                    "-ts2cbfn",
                                    model == "ptm"    ? ".ptm."
                                    : model == "semi" ? ".semi."
                                                      : ".cont.",
                                    "-meanfn",
                                    modelFile("means").string(),
                                    "-varfn",
                                    modelFile("variances").string(),
                                    "-mixwfn",
                                    m_mixtureWeights.string(),
                                    "-tmatfn",
                                    modelFile("transition_matrices").string(),
                                    "-feat",
                                    setting("-feat", "1s_c_d_dd"),
                                    "-cmn",
                                    "current",
                                    "-agc",
                                    setting("-agc", "none"),
                                    "-dictfn",
                                    (work / "words.dict").string(),
                                    "-fdictfn",
                                    modelFile("noisedict").string(),
                                    "-ctlfn",
                                    (work / "fileids").string(),
                                    "-lsnfn",
                                    (work / "transcription").string(),
                                    "-cepdir",
                                    work.string(),
                                    "-accumdir",
                                    work.string()};
    if (auto sv = settings.find("-svspec"); sv != settings.end()) {
        counts.insert(counts.end(), {"-svspec", sv->second});
    }
    if (Status made = runTool(counts, work / "bw.log", cancel); !made) {
        return made;
    }

    report(85, "Working out the transform");
    if (Status made = runTool({tool("mllr_solve").string(), "-meanfn", modelFile("means").string(),
                               "-varfn", modelFile("variances").string(), "-outmllrfn",
                               (work / kMllrFile).string(), "-accumdir", work.string()},
                              work / "mllr.log", cancel);
        !made) {
        return made;
    }
    Result<std::string> transform = readWholeFile(work / kMllrFile);
    if (!transform) {
        return transform.error();
    }
    if (auto streams = parseMllrStreams(*transform); !streams) {
        return streams.error();
    }
    if (stopped()) {
        return cancelled;
    }

    report(95, "Saving the adaptation");
    const fs::path target = adaptationFolder(profileFolder);
    const fs::path next = profileFolder / "adaptation.next";
    const fs::path old = profileFolder / "adaptation.old";
    fs::remove_all(next, error);
    fs::remove_all(old, error);
    if (Status written = writeFileAtomically(next / kMllrFile, *transform); !written) {
        return written;
    }
    if (Status written = writeFileAtomically(next / kCmnStartFile, formatCmnValues(*mean) + "\n");
        !written) {
        return written;
    }
    if (fs::exists(target, error)) {
        fs::rename(target, old, error);
        if (error) {
            return Status::failure(error.value(), "cannot replace " + target.string());
        }
    }
    fs::rename(next, target, error);
    if (error) {
        std::error_code ignored;
        fs::rename(old, target, ignored); // put the previous one back
        return Status::failure(error.value(), "cannot save " + target.string());
    }
    fs::remove_all(old, error);
    report(100, "Done");
    return {};
}

} // namespace

bool sphinxAdaptationToolsPresent(const SphinxAdapterOptions& options) {
    for (const char* name : {"bw", "mllr_solve"}) {
        if (::access((options.trainingTools / name).c_str(), X_OK) != 0) {
            return false;
        }
    }
    return onPath("sphinx_fe") && onPath("pocketsphinx_mdef_convert");
}

std::unique_ptr<VoiceAdapter> makeSphinxVoiceAdapter(SphinxAdapterOptions options) {
    return std::make_unique<SphinxVoiceAdapter>(std::move(options));
}

} // namespace kelvo::speech
