#include "platform/speech/sphinx_xml_grammar.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

namespace kelvo::speech {
namespace {

using Sequence = std::vector<std::string>;
using Alternatives = std::vector<Sequence>;

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool nameIs(const pugi::xml_node& node, std::string_view name) {
    return lower(node.name()) == name;
}

pugi::xml_attribute attribute(const pugi::xml_node& node, std::string_view name) {
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        if (lower(a.name()) == name) {
            return a;
        }
    }
    return {};
}

pugi::xml_node findGrammarRoot(const pugi::xml_node& node) {
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        if (nameIs(child, "grammar")) {
            return child;
        }
        if (pugi::xml_node found = findGrammarRoot(child)) {
            return found;
        }
    }
    return {};
}

struct Failure {
    std::string reason;
};

class Expander {
public:
    explicit Expander(const std::map<std::string, pugi::xml_node>& rulesByName)
        : m_rulesByName(rulesByName) {}

    std::optional<Alternatives> rule(const pugi::xml_node& node) {
        m_failure.reset();
        m_depth = 0;
        Alternatives result = sequence(node);
        if (m_failure) {
            return std::nullopt;
        }
        return result;
    }
    const std::string& failure() const { return m_failure->reason; }

private:
    static constexpr int kMaxDepth = 32;

    void fail(std::string reason) {
        if (!m_failure) {
            m_failure = Failure{std::move(reason)};
        }
    }

    // Every child in turn: the cross product of their alternatives.
    Alternatives sequence(const pugi::xml_node& node) {
        Alternatives result{Sequence{}};
        for (pugi::xml_node child : node.children()) {
            if (m_failure) {
                return {};
            }
            Alternatives part;
            if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
                part.push_back(grammarTextWords(child.value()));
            } else if (child.type() == pugi::node_element) {
                part = element(child);
            } else {
                continue;
            }
            Alternatives joined;
            for (const Sequence& head : result) {
                for (const Sequence& tail : part) {
                    if (joined.size() >= kMaxPhrasesPerRule) {
                        fail("more than " + std::to_string(kMaxPhrasesPerRule) + " phrases");
                        return {};
                    }
                    Sequence both = head;
                    both.insert(both.end(), tail.begin(), tail.end());
                    joined.push_back(std::move(both));
                }
            }
            result = std::move(joined);
        }
        return result;
    }

    Alternatives element(const pugi::xml_node& node) {
        if (++m_depth > kMaxDepth) {
            fail("nested too deeply");
            return {};
        }
        Alternatives result;
        std::string name = lower(node.name());
        if (name == "p" || name == "phrase" || name == "pn") {
            result = sequence(node);
        } else if (name == "o" || name == "opt") {
            result = sequence(node);
            result.push_back(Sequence{});
        } else if (name == "l" || name == "list") {
            for (pugi::xml_node child : node.children()) {
                Alternatives part;
                if (child.type() == pugi::node_element) {
                    part = element(child);
                } else if (child.type() == pugi::node_pcdata) {
                    Sequence words = grammarTextWords(child.value());
                    if (!words.empty()) {
                        part.push_back(std::move(words));
                    }
                }
                result.insert(result.end(), part.begin(), part.end());
            }
            if (result.size() > kMaxPhrasesPerRule) {
                fail("more than " + std::to_string(kMaxPhrasesPerRule) + " phrases");
            }
        } else if (name == "ruleref") {
            std::string target = attribute(node, "name").value();
            auto found = m_rulesByName.find(target);
            if (found == m_rulesByName.end()) {
                fail("refers to the unknown rule \"" + target + "\"");
            } else {
                result = sequence(found->second);
            }
        } else if (name == "resource") {
            result.push_back(Sequence{});
        } else {
            fail("unsupported element <" + std::string(node.name()) + ">");
        }
        --m_depth;
        return result;
    }

    const std::map<std::string, pugi::xml_node>& m_rulesByName;
    std::optional<Failure> m_failure;
    int m_depth = 0;
};

std::string joined(const Sequence& words) {
    std::string out;
    for (const std::string& word : words) {
        if (!out.empty()) {
            out += ' ';
        }
        out += word;
    }
    return out;
}

} // namespace

std::vector<std::string> grammarTextWords(std::string_view text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
        std::size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
        std::string_view word = text.substr(start, i - start);
        while (!word.empty() && (word.front() == '+' || word.front() == '-')) {
            word.remove_prefix(1);
        }
        while (!word.empty() && std::string_view(",;:!?\"").find(word.back()) != word.npos) {
            word.remove_suffix(1);
        }
        if (!word.empty()) {
            words.emplace_back(word);
        }
    }
    return words;
}

Result<XmlGrammar> parseXmlGrammar(std::string_view xml) {
    pugi::xml_document document;
    pugi::xml_parse_result parsed = document.load_buffer(xml.data(), xml.size());
    if (!parsed) {
        return Status::failure(1, std::string("the grammar is not well-formed XML: ") +
                                      parsed.description());
    }
    pugi::xml_node root = findGrammarRoot(document);
    if (!root) {
        return Status::failure(2, "the grammar has no GRAMMAR element");
    }

    XmlGrammar grammar;
    std::vector<pugi::xml_node> ruleNodes;
    std::map<std::string, pugi::xml_node> rulesByName;
    for (pugi::xml_node node : root.children()) {
        if (node.type() != pugi::node_element || !nameIs(node, "rule")) {
            continue;
        }
        XmlGrammarRule rule;
        rule.name = attribute(node, "name").value();
        std::string topLevel = lower(attribute(node, "toplevel").value());
        rule.topLevel = topLevel == "active" || topLevel == "inactive";
        rule.initiallyActive = topLevel == "active";
        rulesByName.emplace(rule.name, node);
        grammar.rules.push_back(std::move(rule));
        ruleNodes.push_back(node);
    }

    Expander expander(rulesByName);
    for (std::size_t index = 0; index < ruleNodes.size(); ++index) {
        if (!grammar.rules[index].topLevel) {
            continue;
        }
        std::optional<Alternatives> alternatives = expander.rule(ruleNodes[index]);
        if (!alternatives) {
            grammar.problems.push_back({grammar.rules[index].name, expander.failure()});
            continue;
        }
        for (Sequence& display : *alternatives) {
            if (display.empty()) {
                continue;
            }
            XmlGrammarPhrase phrase;
            phrase.text = joined(display);
            for (const std::string& word : display) {
                phrase.words.push_back(lower(word));
            }
            phrase.rule = index;
            grammar.phrases.push_back(std::move(phrase));
        }
    }
    return grammar;
}

} // namespace kelvo::speech
