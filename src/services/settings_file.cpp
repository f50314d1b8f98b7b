#include "services/settings_file.h"

#include "platform/atomic_file.h"
#include "services/ini_document.h"

namespace kelvo {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(kBlanks) - first + 1));
}

} // namespace

std::string removeLineBreaks(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c != '\r' && c != '\n') {
            out += c;
        }
    }
    return out;
}

std::string cutToCharacters(std::string_view text, int count) {
    if (count <= 0) {
        return {};
    }
    size_t pos = 0;
    for (int seen = 0; pos < text.size() && seen < count; ++seen) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) {
            ++pos;
        }
    }
    return std::string(text.substr(0, pos));
}

SettingsFile::SettingsFile(std::filesystem::path file, ErrorSink& errors)
    : m_file(std::move(file)), m_errors(errors) {}

std::string SettingsFile::readIni(std::string_view section, std::string_view key,
                                  std::string_view defaultValue, int maxLength) const {
    std::string value;
    std::error_code ec;
    if (std::filesystem::exists(m_file, ec)) {
        auto content = readWholeFile(m_file);
        if (!content) {
            m_errors.reportError(content.error().number(), content.error().message(), "MutPri");
            return {};
        }
        auto stored = IniDocument(*content).value(section, key);
        value = stored ? std::move(*stored) : trimBlanks(defaultValue);
    } else {
        value = trimBlanks(defaultValue);
    }
    // The buffer holds maxLength characters including the terminator.
    return trimBlanks(cutToCharacters(value, maxLength - 1));
}

bool SettingsFile::hasKey(std::string_view section, std::string_view key) const {
    auto content = readWholeFile(m_file);
    return content && IniDocument(*content).value(section, key).has_value();
}

bool SettingsFile::writeIni(std::string_view section, std::string_view key,
                            std::string_view value) {
    std::string current;
    std::error_code ec;
    if (std::filesystem::exists(m_file, ec)) {
        auto content = readWholeFile(m_file);
        if (!content) {
            m_errors.reportError(content.error().number(), content.error().message(), "MutPwi");
            return false;
        }
        current = std::move(content).value();
    }
    IniDocument document(current);
    document.set(section, key, removeLineBreaks(value));
    const Status written = writeFileAtomically(m_file, document.text());
    if (!written) {
        m_errors.reportError(written.number(), written.message(), "MutPwi");
        return false;
    }
    return true;
}

} // namespace kelvo
