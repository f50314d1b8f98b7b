#pragma once

#include "platform/ascii_text.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// An INI text held as its lines, so a rewrite keeps comments, order and
/// the spelling of names. Names compare without regard to ASCII case.
class IniDocument {
public:
    explicit IniDocument(std::string_view text);

    /// The value of the key, with blanks around it and one pair of
    /// enclosing quotes removed; nullopt when absent.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    /// Sets the key, adding the section at the end and the key at the end
    /// of its section when missing.
    void set(std::string_view section, std::string_view key, std::string_view value);

    /// The text with "\n" line ends.
    std::string text() const;

private:
    struct Line {
        std::string raw;
        std::string section; // the section this line belongs to
        std::string key;     // empty unless this is a key line
        bool isHeader = false;
    };
    std::vector<Line> m_lines;
};

} // namespace kelvo
