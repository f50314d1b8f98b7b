#pragma once

#include "services/hex_coding.h"

#include <initializer_list>
#include <string>
#include <utility>

namespace kelvo::fakes {

/// Writes commands.xml text the way the content service delivers it:
/// every value and element text hex-coded.
class CatalogueBuilder {
public:
    using Attributes = std::initializer_list<std::pair<const char*, std::string>>;

    CatalogueBuilder& add(const std::string& phrase, Attributes attributes) {
        m_body += "<c";
        for (const auto& [name, value] : attributes) {
            m_body += std::string(" ") + name + "=\"" + stringToHex(value) + "\"";
        }
        m_body += ">" + stringToHex(phrase) + "</c>\n";
        return *this;
    }

    /// A listed web command: phrase, display words and category.
    CatalogueBuilder& web(const std::string& phrase, const std::string& category) {
        return add(
            phrase,
            {{"d", phrase}, {"c2", category}, {"c1", "1"}, {"u", "https://example.org/" + phrase}});
    }

    CatalogueBuilder& raw(const std::string& xml) {
        m_body += xml;
        return *this;
    }

    std::string xml() const {
        return "<?xml version=\"1.0\"?>\n<commands>\n" + m_body + "</commands>\n";
    }

private:
    std::string m_body;
};

} // namespace kelvo::fakes
