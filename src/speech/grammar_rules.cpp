#include "speech/grammar_rules.h"

#include "speech/xml_text.h"

namespace kelvo {

namespace {

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    std::size_t pos = 0;
    while ((pos = text.find(from, start)) != std::string::npos) {
        result.append(text, start, pos - start);
        result.append(to);
        start = pos + from.size();
    }
    result.append(text, start, std::string::npos);
    text = std::move(result);
}

} // namespace

pugi::xml_node findNamedRule(const pugi::xml_node& grammar, std::string_view phrase) {
    for (const pugi::xml_node& child : grammar.children()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const pugi::xml_attribute name = child.attribute("NAME");
        if (name && phrase == name.value()) {
            return child;
        }
    }
    return {};
}

std::string plainAlternative(std::string_view text) {
    std::string plain(text);
    replaceAll(plain, "+", " ");
    replaceAll(plain, "-", " ");
    replaceAll(plain, "</P><P>", " ");
    replaceAll(plain, "</P>", " ");
    replaceAll(plain, "<P>", " ");
    return plain;
}

bool phraseListsHold(const pugi::xml_node& root, std::string_view phrase) {
    for (const pugi::xml_node& list : elementsNamed(root, "L")) {
        for (const pugi::xml_node& alternative : list.children()) {
            if (alternative.type() == pugi::node_element &&
                plainAlternative(wholeText(alternative)) == phrase) {
                return true;
            }
        }
    }
    return false;
}

void appendCustomRule(pugi::xml_node grammar, const std::string& phrase) {
    pugi::xml_node rule = grammar.append_child("RULE");
    rule.append_attribute("NAME").set_value(phrase.c_str());
    rule.append_attribute("TOPLEVEL").set_value("ACTIVE");
    rule.append_child("P").append_child(pugi::node_pcdata).set_value(phrase.c_str());
}

bool isCustomRule(const pugi::xml_node& rule, std::string_view phrase) {
    if (std::string_view(rule.name()) != "RULE" || phrase != rule.attribute("NAME").value()) {
        return false;
    }
    int elements = 0;
    for (const pugi::xml_node& child : rule.children()) {
        if (child.type() == pugi::node_element) {
            ++elements;
            if (std::string_view(child.name()) != "P") {
                return false;
            }
        }
    }
    return elements == 1 && wholeText(rule) == phrase;
}

bool isWholeGrammar(std::string_view xml) {
    pugi::xml_document doc;
    if (!doc.load_buffer(xml.data(), xml.size())) {
        return false;
    }
    const pugi::xml_node root = doc.document_element();
    return std::string_view(root.name()) == "Grammar" && root.child("RULE");
}

} // namespace kelvo
