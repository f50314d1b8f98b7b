#include "platform/speech/sphinx_speech_platform.h"

#include "fakes/espeak_clips.h"
#include "fakes/private_sound_server.h"
#include "fakes/queued_ui_poster.h"
#include "fakes/recording_speech_sink.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "platform/speech/sphinx_adaptation_files.h"
#include "platform/speech/sphinx_run_program.h"
#include "platform/speech/sphinx_wav.h"
#include "platform/speech/voice_adaptation.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sys/stat.h>
#include <thread>

namespace kelvo::speech {
namespace {

using namespace std::chrono_literals;

class SphinxSpeechPlatformTest : public ::testing::Test {
protected:
    SphinxSpeechPlatformTest() {
        options = sphinxPlatformOptions(dir / "data", KELVO_RESOURCES_DIR);
        options.settingsFile = dir / "speech.ini";
        (void)writeFileAtomically(dir / "en_CLICK.XML", R"(<GRAMMAR LANGID="409">
  <RULE NAME="open google" TOPLEVEL="ACTIVE"><P>Open Google</P></RULE>
  <RULE NAME="go to sleep" TOPLEVEL="ACTIVE"><L><P>go to sleep</P><P>+stop -listening</P></L></RULE>
  <RULE NAME="mute computer microphone" TOPLEVEL="ACTIVE"><P>mute computer microphone</P></RULE>
</GRAMMAR>)");
    }

    /// The phrase, after half a second of quiet, as the file input.
    bool sayThroughFile(const std::string& phrase) {
        std::vector<std::int16_t> clip(8000, 0);
        auto said = fakes::spokenClip(phrase);
        clip.insert(clip.end(), said.begin(), said.end());
        setSource("file:" + (dir / "say.wav").string());
        return !said.empty() && writeSpeechWav(dir / "say.wav", clip).ok();
    }

    /// A recognizer listening for the commands with the interests the
    /// program sets, its input the one the settings name.
    struct Listening {
        std::unique_ptr<Recognizer> recognizer;
        std::unique_ptr<RecoContext> context;
        std::unique_ptr<SpeechGrammar> grammar;
    };
    Listening listen(SpeechPlatform& platform, const std::optional<SpeechToken>& profile = {}) {
        Listening made;
        made.recognizer = std::move(platform.createRecognizer()).value();
        if (profile) {
            EXPECT_TRUE(made.recognizer->setProfile(*profile).ok());
        }
        EXPECT_TRUE(made.recognizer->setAudioInput(*platform.defaultAudioInput()).ok());
        made.context = std::move(made.recognizer->createRecoContext(sink)).value();
        EXPECT_TRUE(made.context
                        ->setEventInterests(made.context->eventInterests() |
                                            event_interest::kRecognition |
                                            event_interest::kRequestUI)
                        .ok());
        made.grammar = std::move(made.context->createGrammar(1)).value();
        EXPECT_TRUE(
            made.grammar->cmdLoadFromFile((dir / "en_CLICK.XML").string(), LoadOption::Dynamic)
                .ok());
        EXPECT_TRUE(made.grammar->cmdSetRuleIdState(kAllRules, RuleState::Active).ok());
        return made;
    }

    std::vector<std::string> eventsStartingWith(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& event : sink.events) {
            if (event.rfind(prefix, 0) == 0) {
                found.push_back(event);
            }
        }
        return found;
    }

    void setSource(const std::string& value) {
        (void)writeFileAtomically(dir / "speech.ini", "[AudioInput]\nSource=" + value + "\n");
    }

    /// Drains the UI queue until an event starting with `prefix` arrives or
    /// time runs out.
    bool waitForEvent(const std::string& prefix = "", std::chrono::milliseconds limit = 15s) {
        auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            poster.drain();
            for (const std::string& event : sink.events) {
                if (event.rfind(prefix, 0) == 0) {
                    return true;
                }
            }
            std::this_thread::sleep_for(20ms);
        }
        return false;
    }

    fakes::TempDir dir;
    SphinxPlatformOptions options;
    fakes::QueuedUiPoster poster;
    fakes::RecordingSpeechSink sink;
};

TEST_F(SphinxSpeechPlatformTest, AWavFileIsHeardLikeAMicrophone) {
    ASSERT_TRUE(sayThroughFile("open google"));

    auto platform = makeSphinxSpeechPlatform(poster, options);
    auto recognizer = platform->createRecognizer();
    ASSERT_TRUE(recognizer.ok()) << recognizer.error().message();
    auto engines = (*recognizer)->getRecognizers("Language=409", "");
    ASSERT_EQ(engines->size(), 1u);
    EXPECT_EQ((*engines)[0].description, sphinxEngineToken().description);
    ASSERT_TRUE((*recognizer)->setRecognizer((*engines)[0]).ok());
    EXPECT_TRUE((*recognizer)->getRecognizers("Language=407", "")->empty());

    auto input = platform->defaultAudioInput();
    ASSERT_TRUE(input.ok()) << input.error().message();
    ASSERT_TRUE((*recognizer)->setAudioInput(*input).ok());
    auto context = (*recognizer)->createRecoContext(sink);
    ASSERT_TRUE(context.ok());
    ASSERT_TRUE((*context)
                    ->setEventInterests((*context)->eventInterests() | event_interest::kRecognition)
                    .ok());
    auto grammar = (*context)->createGrammar(1);
    ASSERT_TRUE(grammar.ok());
    EXPECT_FALSE((*context)->createGrammar(1).ok());
    ASSERT_TRUE((*grammar)->dictationLoad("", LoadOption::Static).ok());
    ASSERT_TRUE((*grammar)->dictationSetState(RuleState::Inactive).ok());
    ASSERT_TRUE(
        (*grammar)->cmdLoadFromFile((dir / "en_CLICK.XML").string(), LoadOption::Dynamic).ok());
    ASSERT_TRUE((*grammar)->cmdSetRuleIdState(kAllRules, RuleState::Active).ok());
    EXPECT_TRUE((*grammar)->hasRule("go to sleep"));
    EXPECT_FALSE((*grammar)->hasRule("Go To Sleep"));

    EXPECT_TRUE(sink.events.empty()); // never inside a call
    ASSERT_TRUE(waitForEvent("Recognition "));
    // Guesses come while the phrase is spoken, before its recognition.
    ASSERT_GE(sink.events.size(), 2u);
    EXPECT_EQ(sink.events.back(), "Recognition Open Google [open google] 0");
    for (std::size_t i = 0; i + 1 < sink.events.size(); ++i) {
        EXPECT_EQ(sink.events[i].rfind("Hypothesis ", 0), 0u) << sink.events[i];
    }
}

TEST_F(SphinxSpeechPlatformTest, AProfilesAdaptationIsAppliedAndADamagedOneLeftOut) {
    ASSERT_TRUE(sayThroughFile("open google"));
    std::vector<std::string> reported;
    options.reportDamagedProfile = [&](const std::string& why) { reported.push_back(why); };
    auto platform = makeSphinxSpeechPlatform(poster, options);
    const SpeechToken profile = platform->createProfile("Ann - e0").value();
    const auto adaptation = adaptationFolder(platform->profileFolder(profile.id));

    // Damaged, then a valid one that changes nothing: both still hear.
    for (const std::string& cmn :
         {std::string("garbage"),
          std::string(
              "41.00,-5.29,-0.12,5.09,2.48,-4.07,-1.37,-1.78,-5.08,-2.05,-6.45,-1.42,1.17")}) {
        ASSERT_TRUE(writeFileAtomically(adaptation / kCmnStartFile, cmn).ok());
        ASSERT_TRUE(writeFileAtomically(adaptation / kMllrFile, identityMllr({13, 13, 13})).ok());
        sink.events.clear();
        auto recognizer = std::move(platform->createRecognizer()).value();
        ASSERT_TRUE(recognizer->setProfile(profile).ok());
        ASSERT_TRUE(recognizer->setAudioInput(*platform->defaultAudioInput()).ok());
        auto context = std::move(recognizer->createRecoContext(sink)).value();
        ASSERT_TRUE(
            context->setEventInterests(context->eventInterests() | event_interest::kRecognition)
                .ok());
        auto grammar = std::move(context->createGrammar(1)).value();
        ASSERT_TRUE(
            grammar->cmdLoadFromFile((dir / "en_CLICK.XML").string(), LoadOption::Dynamic).ok());
        ASSERT_TRUE(grammar->cmdSetRuleIdState(kAllRules, RuleState::Active).ok());
        EXPECT_TRUE(waitForEvent("Recognition Open Google")) << cmn;
        EXPECT_EQ(reported.size(), 1u); // the damage, once
    }
}

// A muted input shows as no signal until speech comes; a later context on a
// live input has nothing to report.
TEST_F(SphinxSpeechPlatformTest, ADeadInputIsReportedAndItsReturnToo) {
    std::vector<std::int16_t> clip(40000, 0); // 2.5 s of digital silence
    auto said = fakes::spokenClip("open google");
    ASSERT_FALSE(said.empty());
    clip.insert(clip.end(), said.begin(), said.end());
    ASSERT_TRUE(writeSpeechWav(dir / "muted.wav", clip).ok());
    setSource("file:" + (dir / "muted.wav").string());
    auto platform = makeSphinxSpeechPlatform(poster, options);
    {
        Listening listening = listen(*platform);
        ASSERT_TRUE(waitForEvent("Recognition "));
        EXPECT_EQ(eventsStartingWith("Interference "),
                  (std::vector<std::string>{"Interference 2", "Interference 0"}));
    }
    sink.events.clear();
    ASSERT_TRUE(sayThroughFile("open google"));
    Listening listening = listen(*platform);
    ASSERT_TRUE(waitForEvent("Recognition "));
    EXPECT_TRUE(eventsStartingWith("Interference ").empty());
}

// What a training writes into the profile is read at once, and the context
// goes on listening to the same input: a file is not played again.
TEST_F(SphinxSpeechPlatformTest, AProfilesNewTrainingIsTakenUpWithoutARestart) {
    ASSERT_TRUE(sayThroughFile("open google"));
    std::vector<std::string> reported;
    options.reportDamagedProfile = [&](const std::string& why) { reported.push_back(why); };
    auto platform = makeSphinxSpeechPlatform(poster, options);
    const SpeechToken profile = platform->createProfile("Ann - e0").value();
    Listening listening = listen(*platform, profile);
    const auto adaptation = adaptationFolder(platform->profileFolder(profile.id));
    ASSERT_TRUE(writeFileAtomically(adaptation / kCmnStartFile, "garbage").ok());
    ASSERT_TRUE(writeFileAtomically(adaptation / kMllrFile, identityMllr({13, 13, 13})).ok());
    EXPECT_TRUE(reported.empty());
    ASSERT_TRUE(listening.recognizer->refreshProfile().ok());
    poster.drain();
    EXPECT_EQ(reported.size(), 1u); // read now, not at the next start
    ASSERT_TRUE(waitForEvent("Recognition Open Google"));
    std::this_thread::sleep_for(2s);
    poster.drain();
    EXPECT_EQ(eventsStartingWith("Recognition ").size(), 1u);
}

// The microphone saved for the profile in use is listened to at once: the
// phrase is played into it only after the set-up.
TEST_F(SphinxSpeechPlatformTest, AProfilesNewMicrophoneIsHeardWithoutARestart) {
    fakes::PrivateSoundServer server({"room", "desk"});
    ASSERT_TRUE(server.running()) << "pulseaudio did not start";
    ::setenv("PULSE_SERVER", server.address().c_str(), 1);
    ASSERT_TRUE(runProgramForOutput({"pactl", "set-default-source", "room.monitor"}).ok());
    auto said = fakes::spokenClip("open google");
    ASSERT_FALSE(said.empty());
    ASSERT_TRUE(writeSpeechWav(dir / "say.wav", said).ok());
    setSource("default");
    auto platform = makeSphinxSpeechPlatform(poster, options);
    const SpeechToken profile = platform->createProfile("Ann - e0").value();
    Listening listening = listen(*platform, profile);

    ASSERT_TRUE(saveProfileMicrophone(platform->profileFolder(profile.id), "desk.monitor").ok());
    ASSERT_TRUE(listening.recognizer->refreshProfile().ok());
    ASSERT_TRUE(runProgramForOutput({"paplay", "--device=desk", (dir / "say.wav").string()}).ok());
    EXPECT_TRUE(waitForEvent("Recognition Open Google"));
    listening.grammar.reset();
    listening.context.reset(); // before the server goes
    ::unsetenv("PULSE_SERVER");
}

TEST_F(SphinxSpeechPlatformTest, GrammarCallsCheckTheirArguments) {
    setSource("file:" + (dir / "missing.wav").string());
    auto platform = makeSphinxSpeechPlatform(poster, options);
    EXPECT_FALSE(platform->defaultAudioInput().ok()); // the audio-setup error
    setSource("fifo:" + (dir / "missing").string());
    EXPECT_FALSE(platform->defaultAudioInput().ok());

    auto recognizer = platform->createRecognizer();
    ASSERT_TRUE(recognizer.ok());
    EXPECT_FALSE((*recognizer)->setAudioInput({"file:" + (dir / "missing.wav").string(), ""}).ok());
    auto context = (*recognizer)->createRecoContext(sink); // no input: hears nothing
    ASSERT_TRUE(context.ok());
    auto grammar = (*context)->createGrammar(1);
    ASSERT_TRUE(grammar.ok());
    EXPECT_FALSE((*grammar)->dictationSetState(RuleState::Active).ok());
    EXPECT_FALSE((*grammar)->dictationLoad("Medical", LoadOption::Static).ok());
    EXPECT_TRUE((*grammar)->dictationLoad(kTopicSpelling, LoadOption::Static).ok());
    EXPECT_FALSE(
        (*grammar)->cmdLoadFromFile((dir / "none.xml").string(), LoadOption::Dynamic).ok());
    ASSERT_TRUE(writeFileAtomically(dir / "bad.xml", "<GRAMMAR><RULE>").ok());
    ASSERT_TRUE(
        (*grammar)->cmdLoadFromFile((dir / "en_CLICK.XML").string(), LoadOption::Dynamic).ok());
    EXPECT_FALSE((*grammar)->cmdLoadFromFile((dir / "bad.xml").string(), LoadOption::Dynamic).ok());
    EXPECT_TRUE((*grammar)->hasRule("open google")); // the rules loaded before stay
    EXPECT_FALSE((*grammar)->cmdSetRuleIdState(7, RuleState::Active).ok());
    EXPECT_TRUE((*recognizer)->setPropertyNumber("ResourceUsage", 85).ok());
    EXPECT_TRUE((*recognizer)->displayUI("Voice Profile Training", "UserTraining", "").ok());
}

TEST_F(SphinxSpeechPlatformTest, EachSwitchOfWhatIsListenedForIsReportedWhenAsked) {
    ASSERT_EQ(::mkfifo((dir / "mic").c_str(), 0600), 0);
    setSource("fifo:" + (dir / "mic").string());
    ::setenv("KELVO_REPORT_LISTENING", "1", 1);
    auto platform = makeSphinxSpeechPlatform(poster, options);
    auto recognizer = platform->createRecognizer();
    ASSERT_TRUE(recognizer.ok());
    ASSERT_TRUE((*recognizer)->setAudioInput(*platform->defaultAudioInput()).ok());
    auto context = (*recognizer)->createRecoContext(sink);
    ::unsetenv("KELVO_REPORT_LISTENING");
    ASSERT_TRUE(context.ok());
    auto grammar = (*context)->createGrammar(1);
    ASSERT_TRUE(grammar.ok());

    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(
        (*grammar)->cmdLoadFromFile((dir / "en_CLICK.XML").string(), LoadOption::Dynamic).ok());
    ASSERT_TRUE((*grammar)->cmdSetRuleIdState(kAllRules, RuleState::Active).ok());
    ASSERT_TRUE((*grammar)->dictationLoad(kTopicSpelling, LoadOption::Static).ok());
    ASSERT_TRUE((*grammar)->dictationSetState(RuleState::Active).ok());
    ASSERT_TRUE((*grammar)->dictationLoad("", LoadOption::Static).ok());
    ASSERT_TRUE((*grammar)->cmdSetRuleIdState(kAllRules, RuleState::Inactive).ok());
    ASSERT_TRUE((*grammar)->dictationSetState(RuleState::Inactive).ok());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "kelvo: listening for commands\n"
                                                        "kelvo: listening for spelling\n"
                                                        "kelvo: listening for dictation\n"
                                                        "kelvo: listening for nothing\n");
}

TEST_F(SphinxSpeechPlatformTest, ProfilesComeFromTheStore) {
    auto platform = makeSphinxSpeechPlatform(poster, options);
    auto anna = platform->createProfile("Anna");
    auto ben = platform->createProfile("Ben");
    ASSERT_TRUE(anna.ok() && ben.ok());
    ASSERT_TRUE(platform->setDefaultProfile(ben->id).ok());
    auto recognizer = platform->createRecognizer();
    ASSERT_TRUE(recognizer.ok());
    EXPECT_EQ((*recognizer)->profile()->description, "Ben");
    ASSERT_EQ((*recognizer)->getProfiles()->size(), 2u);
    ASSERT_TRUE((*recognizer)->setProfile(*anna).ok());
    EXPECT_EQ((*recognizer)->profile()->description, "Anna");
    EXPECT_FALSE((*recognizer)->setProfile({"ffff", "Nobody"}).ok());
}

} // namespace
} // namespace kelvo::speech
