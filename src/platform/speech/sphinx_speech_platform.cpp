#include "platform/speech/sphinx_speech_platform.h"

#include "platform/speech/audio_input_setting.h"
#include "platform/speech/sphinx_audio_source.h"
#include "platform/speech/sphinx_engine_core.h"
#include "platform/speech/sphinx_profile_store.h"
#include "platform/speech/sphinx_reco_context.h"
#include "platform/speech/voice_adaptation.h"

#include <cstdio>
#include <map>
#include <set>

namespace kelvo::speech {
namespace {

class SphinxPlatform;

class SphinxRecognizer : public Recognizer {
public:
    SphinxRecognizer(SphinxPlatform& platform, std::shared_ptr<SphinxEngineCore> core)
        : m_platform(platform), m_core(std::move(core)) {}

    Result<std::vector<SpeechToken>> getRecognizers(const std::string& required,
                                                    const std::string&) override {
        // One engine, American English.
        if (!required.empty() && required != "Language=409") {
            return std::vector<SpeechToken>{};
        }
        return std::vector<SpeechToken>{sphinxEngineToken()};
    }

    Status setRecognizer(const SpeechToken& engine) override {
        if (engine.id != sphinxEngineToken().id) {
            return Status::failure(ENOENT, "no speech engine " + engine.id);
        }
        return {};
    }

    SpeechToken recognizerToken() const override { return sphinxEngineToken(); }

    Result<std::vector<SpeechToken>> getProfiles() override;
    Status setProfile(const SpeechToken& profile) override;
    Result<SpeechToken> profile() const override;

    Status setAudioInput(const SpeechToken& input) override {
        Result<AudioInputSetting> setting = parseAudioSource(input.id);
        if (!setting) {
            return setting.error();
        }
        AudioInputSetting wanted = *setting;
        if (wanted.kind == AudioSourceKind::Default) {
            // The microphone chosen for the profile stands in for the default.
            if (std::string chosen = profileMicrophone(profileFolder()); !chosen.empty()) {
                wanted = {AudioSourceKind::Pulse, chosen};
            }
        }
        auto source = open(wanted);
        if (!source && wanted.kind != setting->kind) {
            auto fallback = open(*setting);
            // Said only when the default stands in: while no input works this
            // is tried again and again.
            if (fallback) {
                std::fprintf(stderr,
                             "kelvo: the profile's microphone is gone (%s); using the default\n",
                             source.error().message().c_str());
                wanted = *setting;
            }
            source = std::move(fallback);
        }
        if (!source) {
            return source.error();
        }
        m_source = std::move(source).value();
        m_sourceInUse = wanted.text();
        m_input = input;
        return {};
    }

    Status refreshProfile() override;

    Result<std::unique_ptr<RecoContext>> createRecoContext(SpeechEventSink& sink) override;

    Status setPropertyNumber(const std::string& name, long value) override {
        // The thresholds and adaptation switches of other engines have no
        // counterpart here; they are kept so they read back.
        m_properties[name] = value;
        return {};
    }

    Status displayUI(const std::string&, const std::string&, const std::string&) override {
        // The training screens are the program's own windows (TrainingScreens);
        // the engine itself has none to show.
        return {};
    }

private:
    std::filesystem::path profileFolder() const;
    /// The input in use when it is this one (opened again, a file would
    /// play from its start), else the input opened.
    Result<std::shared_ptr<SpeechAudioSource>> open(const AudioInputSetting& setting) {
        if (m_source && setting.text() == m_sourceInUse) {
            return m_source;
        }
        auto opened = openSpeechAudioSource(setting);
        if (!opened) {
            return opened.error();
        }
        return std::shared_ptr<SpeechAudioSource>(std::move(opened).value());
    }
    /// The profile's adaptation as its files hold it now.
    VoiceAdaptation adaptation();

    SphinxPlatform& m_platform;
    std::shared_ptr<SphinxEngineCore> m_core;
    std::shared_ptr<SpeechAudioSource> m_source;
    // The input as set, and the one opened for it.
    std::optional<SpeechToken> m_input;
    std::string m_sourceInUse;
    // The context made last, while it lives.
    std::shared_ptr<SphinxRecoContext*> m_live = std::make_shared<SphinxRecoContext*>(nullptr);
    std::optional<SpeechToken> m_profile;
    std::map<std::string, long> m_properties;
};

class SphinxPlatform : public SpeechPlatform {
public:
    SphinxPlatform(UiPoster& poster, SphinxPlatformOptions options)
        : m_poster(poster), m_options(std::move(options)), m_profiles(m_options.profileFolder) {}

    Result<std::unique_ptr<Recognizer>> createRecognizer() override {
        auto core = this->core();
        if (!core) {
            return core.error();
        }
        return std::unique_ptr<Recognizer>(new SphinxRecognizer(*this, *core));
    }

    Result<std::unique_ptr<RecoContext>> createBareRecoContext(SpeechEventSink& sink) override {
        auto recognizer = createRecognizer();
        if (!recognizer) {
            return recognizer.error();
        }
        auto input = defaultAudioInput();
        if (input) {
            (void)(*recognizer)->setAudioInput(*input);
        }
        auto context = (*recognizer)->createRecoContext(sink);
        if (!context) {
            return context.error();
        }
        // The bare context owns the recognizer it listens through.
        struct Owning : RecoContext {
            std::unique_ptr<Recognizer> owned;
            std::unique_ptr<RecoContext> context;
            unsigned eventInterests() const override { return context->eventInterests(); }
            Status setEventInterests(unsigned i) override { return context->setEventInterests(i); }
            Result<std::unique_ptr<SpeechGrammar>> createGrammar(int id) override {
                return context->createGrammar(id);
            }
            Recognizer& recognizer() override { return *owned; }
            ~Owning() override { context.reset(); }
        };
        auto owning = std::make_unique<Owning>();
        owning->owned = std::move(recognizer).value();
        owning->context = std::move(context).value();
        return std::unique_ptr<RecoContext>(std::move(owning));
    }

    Result<SpeechToken> defaultAudioInput() override {
        Result<AudioInputSetting> setting = readAudioInputSetting(m_options.settingsFile);
        if (!setting) {
            return setting.error();
        }
        // Open it once to find out now whether it works.
        auto source = openSpeechAudioSource(*setting);
        if (!source) {
            return source.error();
        }
        std::string description = setting->kind == AudioSourceKind::Default
                                      ? "Default microphone"
                                      : "Sound from " + setting->path.string();
        return SpeechToken{setting->text(), description};
    }

    Result<SpeechToken> createProfile(const std::string& description) override {
        return m_profiles.create(description);
    }

    Status setDefaultProfile(const std::string& profileId) override {
        return m_profiles.setDefault(profileId);
    }

    std::filesystem::path profileFolder(const std::string& profileId) const override {
        return m_profiles.folderOf(profileId);
    }

    SphinxProfileStore& profiles() { return m_profiles; }
    UiPoster& poster() { return m_poster; }

    /// The profile's adaptation; a damaged one is reported once a run and
    /// left out, so the engine still starts.
    VoiceAdaptation adaptationOf(const std::filesystem::path& profileFolder) {
        Result<VoiceAdaptation> adaptation = readVoiceAdaptation(profileFolder);
        if (adaptation) {
            return *adaptation;
        }
        if (m_reportedDamage.insert(profileFolder.string()).second) {
            if (auto report = m_options.reportDamagedProfile) {
                // Posted: this runs inside a call into the engine.
                m_poster.post([report, why = adaptation.error().message()] { report(why); });
            }
            std::fprintf(stderr,
                         "kelvo: the voice profile in %s is damaged (%s); listening without its "
                         "adaptation\n",
                         profileFolder.c_str(), adaptation.error().message().c_str());
        }
        return {};
    }

private:
    Result<std::shared_ptr<SphinxEngineCore>> core() {
        if (!m_core) {
            auto made = SphinxEngineCore::create(m_options);
            if (!made) {
                return made.error();
            }
            m_core = std::move(made).value();
        }
        return m_core;
    }

    UiPoster& m_poster;
    SphinxPlatformOptions m_options;
    SphinxProfileStore m_profiles;
    std::shared_ptr<SphinxEngineCore> m_core;
    std::set<std::string> m_reportedDamage;
};

Result<std::vector<SpeechToken>> SphinxRecognizer::getProfiles() {
    return m_platform.profiles().profiles();
}

Status SphinxRecognizer::setProfile(const SpeechToken& profile) {
    Result<std::vector<SpeechToken>> all = getProfiles();
    if (!all) {
        return all.error();
    }
    for (const SpeechToken& known : *all) {
        if (known.id == profile.id) {
            m_profile = known;
            return {};
        }
    }
    return Status::failure(ENOENT, "no voice profile " + profile.id);
}

Result<SpeechToken> SphinxRecognizer::profile() const {
    if (m_profile) {
        return *m_profile;
    }
    return m_platform.profiles().defaultProfile();
}

std::filesystem::path SphinxRecognizer::profileFolder() const {
    Result<SpeechToken> current = profile();
    return current ? m_platform.profileFolder(current->id) : std::filesystem::path();
}

VoiceAdaptation SphinxRecognizer::adaptation() {
    std::filesystem::path folder = profileFolder();
    return folder.empty() ? VoiceAdaptation{} : m_platform.adaptationOf(folder);
}

Result<std::unique_ptr<RecoContext>> SphinxRecognizer::createRecoContext(SpeechEventSink& sink) {
    auto context = std::make_unique<SphinxRecoContext>(*this, m_core, m_source, m_platform.poster(),
                                                       sink, adaptation());
    *m_live = context.get();
    context->watchedBy(m_live);
    return std::unique_ptr<RecoContext>(std::move(context));
}

Status SphinxRecognizer::refreshProfile() {
    SphinxRecoContext* live = *m_live;
    if (live != nullptr && live->inputFailed()) {
        // The input in use stopped for good: it is opened afresh.
        m_source.reset();
        m_sourceInUse.clear();
    }
    if (m_input) {
        if (Status reopened = setAudioInput(*m_input); !reopened) {
            return reopened;
        }
    }
    if (live != nullptr) {
        live->listenWith(m_source, adaptation());
    }
    return {};
}

} // namespace

SphinxPlatformOptions sphinxPlatformOptions(const std::filesystem::path& dataFolder,
                                            const std::filesystem::path& resourcesFolder) {
    SphinxPlatformOptions options;
    options.profileFolder = dataFolder / "speech-profiles";
    options.supplementaryDictionary = resourcesFolder / "speech" / "kelvo.dict";
    options.settingsFile = speechSettingsPath();
    options.decoder.model = installedSphinxModel();
    return options;
}

SpeechToken sphinxEngineToken() {
    return {"kelvo-pocketsphinx-en-us", "Kelvo Speech Recognizer (PocketSphinx, English - US)"};
}

std::unique_ptr<SpeechPlatform> makeSphinxSpeechPlatform(UiPoster& poster,
                                                         SphinxPlatformOptions options) {
    return std::make_unique<SphinxPlatform>(poster, std::move(options));
}

} // namespace kelvo::speech
