#include "speech/desktop_programs.h"

#include "fakes/fake_error_sink.h"
#include "fakes/temp_dir.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace kelvo {
namespace {

void makeProgram(const std::filesystem::path& path) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << "#!/bin/sh\n";
    ::chmod(path.c_str(), 0755);
}

TEST(SplitCommandLine, BlanksSeparateAndQuotesGroup) {
    struct Case {
        const char* line;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"vlc", {"vlc"}},
        {"  systemsettings   kcm_kscreen ", {"systemsettings", "kcm_kscreen"}},
        {"\"/opt/My Chat/chat\" --video", {"/opt/My Chat/chat", "--video"}},
        {"a \"\" b", {"a", "", "b"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(splitCommandLine(c.line), c.words) << c.line;
    }
}

class DesktopProgramsTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    SettingsFile settings{dir / "mouse.ini", errors};
    std::string path = (dir / "bin1").string() + ":" + (dir / "bin2").string();
};

TEST_F(DesktopProgramsTest, FindProgramSearchesThePathInOrder) {
    makeProgram(dir / "bin2" / "kcalc");
    EXPECT_EQ(findProgram("kcalc", path), (dir / "bin2" / "kcalc").string());
    makeProgram(dir / "bin1" / "kcalc");
    EXPECT_EQ(findProgram("kcalc", path), (dir / "bin1" / "kcalc").string());
    EXPECT_EQ(findProgram("nothing", path), "");
    EXPECT_EQ(findProgram("", path), "");
    // Not executable: not a program.
    std::ofstream(dir / "bin1" / "notes") << "x";
    EXPECT_EQ(findProgram("notes", path), "");
}

TEST_F(DesktopProgramsTest, DefaultsAreProbedOnThePath) {
    makeProgram(dir / "bin2" / "xcalc");
    makeProgram(dir / "bin2" / "galculator");
    makeProgram(dir / "bin1" / "systemsettings");
    DesktopPrograms programs(settings, path);

    const ProgramLaunch calculator = programs.resolve(DesktopProgram::Calculator);
    EXPECT_EQ(calculator.displayName, "Calculator");
    EXPECT_EQ(calculator.arguments,
              std::vector<std::string>{(dir / "bin2" / "galculator").string()});

    const ProgramLaunch display = programs.resolve(DesktopProgram::ScreenDisplay);
    EXPECT_EQ(display.arguments, (std::vector<std::string>{
                                     (dir / "bin1" / "systemsettings").string(), "kcm_kscreen"}));

    const ProgramLaunch player = programs.resolve(DesktopProgram::MediaPlayer);
    EXPECT_TRUE(player.arguments.empty());
    EXPECT_EQ(player.displayName, "Media Player");

    const ProgramLaunch menu = programs.resolve(DesktopProgram::StartMenu);
    EXPECT_TRUE(menu.superKey);
}

TEST_F(DesktopProgramsTest, TheSettingsTableComesFirst) {
    makeProgram(dir / "bin1" / "nautilus");
    makeProgram(dir / "bin1" / "thunar");
    ASSERT_TRUE(settings.writeIni(kProgramsSection, "Explorer", "thunar --daemon"));
    ASSERT_TRUE(settings.writeIni(kProgramsSection, "StartMenu", "thunar"));
    ASSERT_TRUE(settings.writeIni(kProgramsSection, "Calculator", "x"));
    makeProgram(dir / "bin1" / "kcalc");
    DesktopPrograms programs(settings, path);

    EXPECT_EQ(programs.resolve(DesktopProgram::Explorer).arguments,
              (std::vector<std::string>{(dir / "bin1" / "thunar").string(), "--daemon"}));
    const ProgramLaunch menu = programs.resolve(DesktopProgram::StartMenu);
    EXPECT_FALSE(menu.superKey);
    EXPECT_EQ(menu.arguments.size(), 1u);
    // "x" means not set: the default is used.
    EXPECT_EQ(programs.resolve(DesktopProgram::Calculator).arguments,
              std::vector<std::string>{(dir / "bin1" / "kcalc").string()});
}

TEST_F(DesktopProgramsTest, AChosenProgramThatIsGoneIsNotReplaced) {
    makeProgram(dir / "bin1" / "nautilus");
    ASSERT_TRUE(settings.writeIni(kProgramsSection, "Explorer", "/nowhere/files"));
    DesktopPrograms programs(settings, path);
    const ProgramLaunch explorer = programs.resolve(DesktopProgram::Explorer);
    EXPECT_TRUE(explorer.arguments.empty());
    EXPECT_EQ(explorer.displayName, "Explorer");
}

TEST_F(DesktopProgramsTest, TheInstalledSettingsNameEveryProgramAndKeepTheDefaults) {
    std::filesystem::copy_file(
        std::filesystem::path(KELVO_RESOURCES_DIR) / "defaults" / "mouse.ini", dir / "mouse.ini");
    makeProgram(dir / "bin1" / "kcalc");
    makeProgram(dir / "bin2" / "vlc");
    fakes::TempDir empty;
    SettingsFile unset{empty / "mouse.ini", errors};
    const DesktopPrograms shipped{settings, path};
    const DesktopPrograms probed{unset, path};
    for (DesktopProgram program :
         {DesktopProgram::ControlPanel, DesktopProgram::Explorer, DesktopProgram::Calculator,
          DesktopProgram::MediaPlayer, DesktopProgram::ScreenDisplay, DesktopProgram::StartMenu}) {
        // The key is there (a missing one reads as the default "?").
        EXPECT_NE(settings.readIni(kProgramsSection, programKey(program), "?", 1024), "?")
            << programKey(program);
        const ProgramLaunch fromFile = shipped.resolve(program);
        const ProgramLaunch fromDefaults = probed.resolve(program);
        EXPECT_EQ(fromFile.arguments, fromDefaults.arguments) << programKey(program);
        EXPECT_EQ(fromFile.superKey, fromDefaults.superKey) << programKey(program);
    }
    EXPECT_EQ(shipped.resolve(DesktopProgram::Calculator).arguments,
              std::vector<std::string>{(dir / "bin1" / "kcalc").string()});
    EXPECT_TRUE(shipped.resolve(DesktopProgram::StartMenu).superKey);
    EXPECT_TRUE(errors.reports.empty());
}

} // namespace
} // namespace kelvo
