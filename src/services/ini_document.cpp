#include "services/ini_document.h"

#include <algorithm>

namespace kelvo {

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// Built by appending: GCC 12 at -O3 warns falsely on chains of operator+.
std::string joined(std::string_view a, std::string_view b, std::string_view c) {
    std::string out;
    out.reserve(a.size() + b.size() + c.size());
    out.append(a).append(b).append(c);
    return out;
}

} // namespace

IniDocument::IniDocument(std::string_view text) {
    std::string current;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
        }
        Line line{std::string(raw), current, {}, false};
        const std::string_view content = trim(raw);
        if (content.size() >= 2 && content.front() == '[') {
            const auto close = content.find(']');
            if (close != std::string_view::npos) {
                current = std::string(trim(content.substr(1, close - 1)));
                line.section = current;
                line.isHeader = true;
            }
        } else if (!content.empty() && content.front() != ';') {
            const auto equals = content.find('=');
            if (equals != std::string_view::npos) {
                line.key = std::string(trim(content.substr(0, equals)));
            }
        }
        m_lines.push_back(std::move(line));
    }
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    for (const Line& line : m_lines) {
        if (line.isHeader || line.key.empty() || !equalsIgnoreCase(line.section, section) ||
            !equalsIgnoreCase(line.key, key)) {
            continue;
        }
        std::string_view value = trim(std::string_view(line.raw).substr(line.raw.find('=') + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return std::string(value);
    }
    return std::nullopt;
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    std::string newLine = joined(key, "=", value);
    std::optional<size_t> lastOfSection;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        Line& line = m_lines[i];
        if (!equalsIgnoreCase(line.section, section)) {
            continue;
        }
        if (!line.isHeader && equalsIgnoreCase(line.key, key)) {
            line.raw = joined(line.key, "=", value);
            return;
        }
        if (line.isHeader || !trim(line.raw).empty()) {
            lastOfSection = i;
        }
    }
    Line added{std::move(newLine), std::string(section), std::string(key), false};
    if (lastOfSection) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(*lastOfSection + 1),
                       std::move(added));
        return;
    }
    m_lines.push_back(Line{joined("[", section, "]"), std::string(section), {}, true});
    m_lines.push_back(std::move(added));
}

std::string IniDocument::text() const {
    std::string out;
    for (const Line& line : m_lines) {
        out += line.raw;
        out += '\n';
    }
    return out;
}

} // namespace kelvo
