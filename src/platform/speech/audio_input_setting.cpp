#include "platform/speech/audio_input_setting.h"

#include "platform/atomic_file.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

namespace kelvo::speech {

namespace {

std::string_view trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

constexpr int kBadSetting = 13;
constexpr int kUnreadable = 75;

} // namespace

std::string AudioInputSetting::text() const {
    switch (kind) {
    case AudioSourceKind::File:
        return "file:" + path.string();
    case AudioSourceKind::Fifo:
        return "fifo:" + path.string();
    case AudioSourceKind::Pulse:
        return "pulse:" + path.string();
    case AudioSourceKind::Default:
        break;
    }
    return "default";
}

Result<AudioInputSetting> parseAudioSource(std::string_view value) {
    value = trim(value);
    if (value.empty() || equalsNoCase(value, "default"))
        return AudioInputSetting{};
    const auto colon = value.find(':');
    if (colon != std::string_view::npos) {
        const auto scheme = value.substr(0, colon);
        const auto path = trim(value.substr(colon + 1));
        AudioInputSetting setting;
        if (equalsNoCase(scheme, "file"))
            setting.kind = AudioSourceKind::File;
        else if (equalsNoCase(scheme, "fifo"))
            setting.kind = AudioSourceKind::Fifo;
        else if (equalsNoCase(scheme, "pulse"))
            setting.kind = AudioSourceKind::Pulse;
        else
            return Status::failure(kBadSetting,
                                   "Unknown audio input \"" + std::string(value) + "\"");
        if (path.empty())
            return Status::failure(kBadSetting,
                                   "Audio input \"" + std::string(value) + "\" names no file");
        setting.path = std::string(path);
        return setting;
    }
    return Status::failure(kBadSetting, "Unknown audio input \"" + std::string(value) + "\"");
}

Result<AudioInputSetting> parseAudioInputSetting(std::string_view iniText) {
    bool inSection = false;
    while (!iniText.empty()) {
        const auto end = iniText.find('\n');
        auto line = trim(iniText.substr(0, end));
        iniText = end == std::string_view::npos ? std::string_view{} : iniText.substr(end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            inSection = close != std::string_view::npos &&
                        equalsNoCase(trim(line.substr(1, close - 1)), "AudioInput");
            continue;
        }
        const auto equals = line.find('=');
        if (inSection && equals != std::string_view::npos &&
            equalsNoCase(trim(line.substr(0, equals)), "Source"))
            return parseAudioSource(line.substr(equals + 1));
    }
    return AudioInputSetting{};
}

Result<AudioInputSetting> readAudioInputSetting(const std::filesystem::path& iniFile) {
    std::error_code error;
    if (!std::filesystem::exists(iniFile, error) && !error)
        return AudioInputSetting{};
    auto text = readWholeFile(iniFile);
    if (!text)
        return Status::failure(kUnreadable,
                               "Cannot read " + iniFile.string() + ": " + text.error().message());
    return parseAudioInputSetting(*text);
}

std::filesystem::path speechSettingsPath(const char* xdgConfigHome, const char* home) {
    std::filesystem::path base;
    if (xdgConfigHome != nullptr && *xdgConfigHome != '\0')
        base = xdgConfigHome;
    else
        base = std::filesystem::path(home != nullptr ? home : "") / ".config";
    return base / "kelvo" / "speech.ini";
}

std::filesystem::path speechSettingsPath() {
    return speechSettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

} // namespace kelvo::speech
