#include "platform/speech/voice_adaptation.h"

#include "fakes/espeak_clips.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "platform/speech/sphinx_adaptation_files.h"
#include "platform/speech/sphinx_tool_runner.h"
#include "platform/speech/sphinx_voice_adapter.h"

#include <gtest/gtest.h>

namespace kelvo::speech {
namespace {

const std::string kThirteen =
    "41.00,-5.29,-0.12,5.09,2.48,-4.07,-1.37,-1.78,-5.08,-2.05,-6.45,-1.42,1.17";

TEST(VoiceAdaptationFiles, CepstralStartValuesAreThirteenFiniteNumbers) {
    const struct {
        std::string text;
        bool ok;
    } cases[] = {
        {kThirteen, true},
        {kThirteen + "\n", true},
        {"1,2,3", false},
        {kThirteen + ",4", false},
        {"41.00,x,-0.12,5.09,2.48,-4.07,-1.37,-1.78,-5.08,-2.05,-6.45,-1.42,1.17", false},
        {"inf,-5.29,-0.12,5.09,2.48,-4.07,-1.37,-1.78,-5.08,-2.05,-6.45,-1.42,1.17", false},
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseCmnValues(c.text).ok(), c.ok) << c.text;
    }
    EXPECT_EQ(formatCmnValues(parseCmnValues(kThirteen).value()), kThirteen);
}

TEST(VoiceAdaptationFiles, TransformsAreCheckedWholeBeforeTheRecognizerSeesThem) {
    const std::string identity = identityMllr({13, 13, 13});
    EXPECT_EQ(parseMllrStreams(identity).value(), (std::vector<std::size_t>{13, 13, 13}));
    const std::string cases[] = {
        identity.substr(0, identity.size() / 2), // cut short
        identity + " 7",                         // trailing text
        "1\n1\n2\n1 0 0 nan 0 0 1 1\n",          // not a number
        "0\n1\n1\n1 0 1\n",                      // no class
        "garbage",
    };
    for (const std::string& text : cases) {
        EXPECT_FALSE(parseMllrStreams(text).ok()) << text;
    }
}

TEST(VoiceAdaptationFiles, AnUntrainedProfileHasNoAdaptationAndADamagedOneIsAnError) {
    fakes::TempDir profile;
    EXPECT_TRUE(readVoiceAdaptation(profile.path()).value().empty());

    const auto folder = adaptationFolder(profile.path());
    ASSERT_TRUE(writeFileAtomically(folder / kCmnStartFile, "not numbers").ok());
    EXPECT_FALSE(readVoiceAdaptation(profile.path()).ok());

    ASSERT_TRUE(writeFileAtomically(folder / kCmnStartFile, kThirteen).ok());
    ASSERT_TRUE(writeFileAtomically(folder / kMllrFile, "1 3 13 0.5").ok());
    EXPECT_FALSE(readVoiceAdaptation(profile.path()).ok());

    ASSERT_TRUE(writeFileAtomically(folder / kMllrFile, identityMllr({13, 13, 13})).ok());
    const VoiceAdaptation read = readVoiceAdaptation(profile.path()).value();
    EXPECT_EQ(read.cmnStart.size(), kCepstrumLength);
    EXPECT_EQ(read.mllrFile, folder / kMllrFile);
}

TEST(VoiceAdaptationFiles, TheProfileMicrophoneIsOneSourceName) {
    fakes::TempDir profile;
    EXPECT_EQ(profileMicrophone(profile.path()), "");
    ASSERT_TRUE(saveProfileMicrophone(profile.path(), "alsa_input.usb-mic").ok());
    EXPECT_EQ(profileMicrophone(profile.path()), "alsa_input.usb-mic");
    ASSERT_TRUE(writeFileAtomically(profile / "microphone", "two words\n").ok());
    EXPECT_EQ(profileMicrophone(profile.path()), "");
    ASSERT_TRUE(saveProfileMicrophone(profile.path(), "").ok());
    EXPECT_FALSE(std::filesystem::exists(profile / "microphone"));
}

TEST(ToolRunner, ACancelStopsTheProgramAtOnce) {
    fakes::TempDir work;
    std::atomic<bool> cancel{true};
    const auto started = std::chrono::steady_clock::now();
    Status status = runTool({"sleep", "20"}, work / "log", cancel);
    EXPECT_EQ(status.number(), kCancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    std::atomic<bool> go{false};
    EXPECT_TRUE(runTool({"true"}, work / "log", go).ok());
    Status failed = runTool({"sh", "-c", "echo broken model; exit 3"}, work / "log", go);
    EXPECT_NE(failed.message().find("broken model"), std::string::npos) << failed.message();
}

// The real tools on a few sentences of one espeak-ng voice.
class SphinxAdaptation : public ::testing::Test {
protected:
    void SetUp() override {
        options.cacheFolder = cache.path();
        if (!sphinxAdaptationToolsPresent(options)) {
            GTEST_SKIP() << "SKIP: the sphinxtrain tools (bw, mllr_solve, sphinx_fe, "
                            "pocketsphinx_mdef_convert) are not installed";
        }
        const char* sentences[] = {"please turn the heating down a little",
                                   "we watched the sunset from the hill",
                                   "the library closes early on sundays"};
        int n = 0;
        for (const char* text : sentences) {
            auto clip = fakes::spokenClip(text, "en-gb", 160);
            if (clip.empty()) {
                GTEST_SKIP() << "SKIP: espeak-ng cannot be run";
            }
            const auto wav = profile / ("passage" + std::to_string(n++) + ".wav");
            ASSERT_TRUE(writeSpeechWav(wav, clip).ok());
            recordings.push_back({wav, text});
        }
    }

    fakes::TempDir cache;
    fakes::TempDir profile;
    SphinxAdapterOptions options;
    std::vector<AdaptationRecording> recordings;
};

TEST_F(SphinxAdaptation, WritesAnAdaptationTheRecognizerTakesAndKeepsItOnFailure) {
    auto adapter = makeSphinxVoiceAdapter(options);
    std::atomic<bool> cancel{false};
    std::vector<int> shares;
    ASSERT_TRUE(adapter
                    ->adapt(
                        profile.path(), recordings,
                        [&](int percent, const std::string&) { shares.push_back(percent); }, cancel)
                    .ok());
    EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
    EXPECT_EQ(shares.back(), 100);
    const VoiceAdaptation adapted = readVoiceAdaptation(profile.path()).value();
    ASSERT_FALSE(adapted.mllrFile.empty());
    EXPECT_FALSE(std::filesystem::exists(profile / "adaptation.work"));

    SphinxDecoderOptions decoderOptions;
    decoderOptions.model = options.model;
    auto decoder = SphinxDecoder::create(decoderOptions).value();
    EXPECT_TRUE(decoder->adapt(adapted).ok());
    EXPECT_TRUE(decoder->adapt({}).ok()); // the model's own again

    const std::string before = readWholeFile(adapted.mllrFile).value();
    cancel = true;
    EXPECT_EQ(adapter->adapt(profile.path(), recordings, {}, cancel).number(), kCancelled);
    cancel = false;
    EXPECT_FALSE(adapter->adapt(profile.path(), {{profile / "none.wav", "gone"}}, {}, cancel).ok());
    EXPECT_EQ(readWholeFile(adapted.mllrFile).value(), before);
}

} // namespace
} // namespace kelvo::speech
