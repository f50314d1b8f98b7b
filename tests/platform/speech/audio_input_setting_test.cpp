#include "platform/speech/audio_input_setting.h"

#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

namespace kelvo::speech {
namespace {

struct SourceCase {
    const char* value;
    bool ok;
    AudioSourceKind kind;
    const char* path;
};

TEST(AudioInputSetting, ParsesEverySourceForm) {
    const SourceCase cases[] = {
        {"", true, AudioSourceKind::Default, ""},
        {"default", true, AudioSourceKind::Default, ""},
        {"  Default ", true, AudioSourceKind::Default, ""},
        {"file:/tmp/a b.wav", true, AudioSourceKind::File, "/tmp/a b.wav"},
        {"FILE: /tmp/x.wav ", true, AudioSourceKind::File, "/tmp/x.wav"},
        {"fifo:/run/kelvo.pcm", true, AudioSourceKind::Fifo, "/run/kelvo.pcm"},
        {"file:", false, AudioSourceKind::Default, ""},
        {"fifo:   ", false, AudioSourceKind::Default, ""},
        {"http://x", false, AudioSourceKind::Default, ""},
        {"microphone", false, AudioSourceKind::Default, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const auto setting = parseAudioSource(c.value);
        ASSERT_EQ(setting.ok(), c.ok);
        if (!c.ok) {
            EXPECT_FALSE(setting.error().message().empty());
            continue;
        }
        EXPECT_EQ(setting->kind, c.kind);
        EXPECT_EQ(setting->path.string(), c.path);
    }
}

TEST(AudioInputSetting, TextRoundTrips) {
    for (const char* text : {"default", "file:/a/b.wav", "fifo:/p"}) {
        const auto setting = parseAudioSource(text);
        ASSERT_TRUE(setting.ok());
        EXPECT_EQ(setting->text(), text);
    }
}

TEST(AudioInputSetting, ReadsOnlyTheAudioInputSection) {
    const auto setting = parseAudioInputSetting("; speech settings\n"
                                                "[Other]\nSource=file:/wrong.wav\n"
                                                "[AudioInput]\r\n  source = file:/right.wav\r\n");
    ASSERT_TRUE(setting.ok());
    EXPECT_EQ(setting->kind, AudioSourceKind::File);
    EXPECT_EQ(setting->path, "/right.wav");
}

TEST(AudioInputSetting, MissingSectionOrKeyMeansDefault) {
    for (const char* text : {"", "[AudioInput]\nVolume=3\n", "[Else]\nSource=fifo:/x\n"}) {
        const auto setting = parseAudioInputSetting(text);
        ASSERT_TRUE(setting.ok());
        EXPECT_EQ(setting->kind, AudioSourceKind::Default);
    }
}

TEST(AudioInputSetting, BadValueIsAnError) {
    EXPECT_FALSE(parseAudioInputSetting("[AudioInput]\nSource=speakers\n").ok());
}

TEST(AudioInputSetting, MissingFileMeansDefaultAndAFileIsRead) {
    fakes::TempDir dir;
    const auto missing = readAudioInputSetting(dir / "none.ini");
    ASSERT_TRUE(missing.ok());
    EXPECT_EQ(missing->kind, AudioSourceKind::Default);

    ASSERT_TRUE(writeFileAtomically(dir / "speech.ini", "[AudioInput]\nSource=fifo:/p\n").ok());
    const auto read = readAudioInputSetting(dir / "speech.ini");
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->kind, AudioSourceKind::Fifo);
}

TEST(AudioInputSetting, UnreadableFileIsAnError) {
    fakes::TempDir dir;
    std::filesystem::create_directory(dir / "speech.ini");
    EXPECT_FALSE(readAudioInputSetting(dir / "speech.ini").ok());
}

TEST(AudioInputSetting, PathFollowsXdgConfigHome) {
    EXPECT_EQ(speechSettingsPath("/cfg", "/home/u"), "/cfg/kelvo/speech.ini");
    EXPECT_EQ(speechSettingsPath("", "/home/u"), "/home/u/.config/kelvo/speech.ini");
    EXPECT_EQ(speechSettingsPath(nullptr, "/home/u"), "/home/u/.config/kelvo/speech.ini");
}

} // namespace
} // namespace kelvo::speech
