#pragma once

#include "services/error_sink.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kelvo {

/// The settings file mouse.ini. Every call reads or rewrites the file, so
/// two places that touch one key always agree. Section and key names match
/// without regard to case; the value "x" means "not set".
class SettingsFile {
public:
    SettingsFile(std::filesystem::path file, ErrorSink& errors);

    /// The stored value (or defaultValue when the key is absent), cut to
    /// maxLength - 1 characters, trimmed. A stored "False" read with 5 gives
    /// "Fals". An unreadable file is reported ("MutPri") and gives "".
    std::string readIni(std::string_view section, std::string_view key,
                        std::string_view defaultValue, int maxLength) const;

    /// Stores the value with every CR and LF removed, rewriting the file
    /// atomically. Returns false after reporting the failure ("MutPwi").
    bool writeIni(std::string_view section, std::string_view key, std::string_view value);

    /// True when the key is present in the file.
    bool hasKey(std::string_view section, std::string_view key) const;

    const std::filesystem::path& path() const { return m_file; }

private:
    std::filesystem::path m_file;
    ErrorSink& m_errors;
};

/// removes every carriage return and line feed; "a\r\nb" becomes "ab".
std::string removeLineBreaks(std::string_view value);

/// Cuts text to at most count characters, never inside a UTF-8 sequence.
std::string cutToCharacters(std::string_view text, int count);

} // namespace kelvo
