#include "speech/desktop_programs.h"

#include "platform/shell.h"

#include <array>
#include <filesystem>

namespace kelvo {

namespace {

struct Candidate {
    std::string_view program;
    std::string_view arguments;
};

struct ProgramDefaults {
    std::string_view displayName;
    std::vector<Candidate> candidates;
};

// The usual programs of the common desktops, most widespread first.
const ProgramDefaults& defaultsOf(DesktopProgram program) {
    static const std::array<ProgramDefaults, 6> kDefaults = {{
        {"Control Panel",
         {{"gnome-control-center", ""},
          {"systemsettings", ""},
          {"xfce4-settings-manager", ""},
          {"cinnamon-settings", ""},
          {"mate-control-center", ""},
          {"lxqt-config", ""}}},
        {"Explorer",
         {{"nautilus", ""},
          {"dolphin", ""},
          {"thunar", ""},
          {"nemo", ""},
          {"caja", ""},
          {"pcmanfm-qt", ""},
          {"pcmanfm", ""}}},
        {"Calculator",
         {{"gnome-calculator", ""},
          {"kcalc", ""},
          {"mate-calc", ""},
          {"galculator", ""},
          {"qalculate-gtk", ""},
          {"speedcrunch", ""},
          {"xcalc", ""}}},
        {"Media Player",
         {{"totem", ""},
          {"vlc", ""},
          {"celluloid", ""},
          {"parole", ""},
          {"dragon", ""},
          {"smplayer", ""},
          {"rhythmbox", ""},
          {"audacious", ""}}},
        {"Display Settings",
         {{"gnome-control-center", "display"},
          {"systemsettings", "kcm_kscreen"},
          {"xfce4-display-settings", ""},
          {"cinnamon-settings", "display"},
          {"mate-display-properties", ""},
          {"lxqt-config-monitor", ""},
          {"arandr", ""},
          {"lxrandr", ""}}},
        {"Start Menu", {}},
    }};
    return kDefaults[static_cast<std::size_t>(program)];
}

} // namespace

std::string_view programKey(DesktopProgram program) {
    switch (program) {
    case DesktopProgram::ControlPanel:
        return "ControlPanel";
    case DesktopProgram::Explorer:
        return "Explorer";
    case DesktopProgram::Calculator:
        return "Calculator";
    case DesktopProgram::MediaPlayer:
        return "MediaPlayer";
    case DesktopProgram::ScreenDisplay:
        return "ScreenDisplay";
    case DesktopProgram::StartMenu:
        return "StartMenu";
    }
    return {};
}

std::vector<std::string> splitCommandLine(std::string_view commandLine) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char c : commandLine) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

std::string findProgram(std::string_view program, std::string_view pathVariable) {
    if (program.empty()) {
        return {};
    }
    if (program.find('/') != std::string_view::npos) {
        return isProgramFile(std::filesystem::path(program)) ? std::string(program) : "";
    }
    std::size_t start = 0;
    while (start <= pathVariable.size()) {
        const auto colon = pathVariable.find(':', start);
        const std::string_view dir = pathVariable.substr(start, colon - start);
        if (!dir.empty()) {
            const std::filesystem::path candidate = std::filesystem::path(dir) / program;
            if (isProgramFile(candidate)) {
                return candidate.string();
            }
        }
        if (colon == std::string_view::npos) {
            break;
        }
        start = colon + 1;
    }
    return {};
}

DesktopPrograms::DesktopPrograms(const SettingsFile& settings, std::string pathVariable)
    : m_settings(settings), m_path(std::move(pathVariable)) {}

ProgramLaunch DesktopPrograms::resolve(DesktopProgram program) const {
    const ProgramDefaults& defaults = defaultsOf(program);
    ProgramLaunch launch;
    launch.displayName = std::string(defaults.displayName);

    const std::string configured =
        m_settings.readIni(kProgramsSection, programKey(program), "", 1024);
    if (!configured.empty() && configured != "x") {
        std::vector<std::string> words = splitCommandLine(configured);
        if (!words.empty()) {
            std::string full = findProgram(words.front(), m_path);
            if (!full.empty()) {
                words.front() = std::move(full);
                launch.arguments = std::move(words);
            }
        }
        // A chosen program that is gone is reported, not swapped for another.
        return launch;
    }
    if (program == DesktopProgram::StartMenu) {
        launch.superKey = true;
        return launch;
    }
    for (const Candidate& candidate : defaults.candidates) {
        std::string full = findProgram(candidate.program, m_path);
        if (full.empty()) {
            continue;
        }
        launch.arguments.push_back(std::move(full));
        if (!candidate.arguments.empty()) {
            launch.arguments.emplace_back(candidate.arguments);
        }
        break;
    }
    return launch;
}

} // namespace kelvo
