#include "integrations/bookmarks/firefox_profiles.h"

#include "platform/ascii_text.h"

#include <algorithm>
#include <string>

namespace kelvo::bookmarks {

namespace fs = std::filesystem;

namespace {

struct Section {
    std::string name;
    std::string path;
    bool isRelative = true;
    bool isDefault = false;
    std::string installDefault;
};

std::vector<Section> readSections(std::string_view text) {
    std::vector<Section> sections;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = trimmedBlanks(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            Section section;
            section.name = line.substr(1, line.size() - 2);
            sections.push_back(std::move(section));
            continue;
        }
        const size_t equals = line.find('=');
        if (sections.empty() || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = trimmedBlanks(line.substr(0, equals));
        const std::string_view value = trimmedBlanks(line.substr(equals + 1));
        Section& section = sections.back();
        const bool install =
            section.name.size() > 7 &&
            equalsIgnoreCase(std::string_view(section.name).substr(0, 7), "Install");
        if (equalsIgnoreCase(key, "Path")) {
            section.path = value;
        } else if (equalsIgnoreCase(key, "IsRelative")) {
            section.isRelative = value != "0";
        } else if (equalsIgnoreCase(key, "Default")) {
            if (install) {
                section.installDefault = value;
            } else {
                section.isDefault = value == "1";
            }
        }
    }
    return sections;
}

} // namespace

std::vector<fs::path> defaultFirefoxProfiles(std::string_view profilesIni,
                                             const fs::path& firefoxFolder) {
    const std::vector<Section> sections = readSections(profilesIni);
    std::vector<std::string> installDefaults;
    for (const Section& section : sections) {
        if (!section.installDefault.empty()) {
            installDefaults.push_back(section.installDefault);
        }
    }
    std::vector<fs::path> profiles;
    for (const Section& section : sections) {
        const bool profile =
            section.name.size() > 7 &&
            equalsIgnoreCase(std::string_view(section.name).substr(0, 7), "Profile");
        if (!profile || section.path.empty()) {
            continue;
        }
        const bool named = std::find(installDefaults.begin(), installDefaults.end(),
                                     section.path) != installDefaults.end();
        if (!section.isDefault && !named && section.path.find(".default") == std::string::npos) {
            continue;
        }
        fs::path folder =
            section.isRelative ? firefoxFolder / section.path : fs::path(section.path);
        folder = folder.lexically_normal();
        if (std::find(profiles.begin(), profiles.end(), folder) == profiles.end()) {
            profiles.push_back(std::move(folder));
        }
    }
    return profiles;
}

} // namespace kelvo::bookmarks
