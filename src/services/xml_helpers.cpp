#include "services/xml_helpers.h"

#include <string>

namespace kelvo {

namespace {

// Finds the first element of the name below start, in document order.
class ByNameAndId : public pugi::xml_tree_walker {
public:
    ByNameAndId(std::string_view name, std::string_view id) : m_name(name), m_id(id) {}

    bool for_each(pugi::xml_node& node) override {
        const pugi::xml_attribute id = node.attribute("id");
        if (node.type() == pugi::node_element && id && m_name == node.name() &&
            m_id == id.value()) {
            m_found = node;
            return false;
        }
        return true;
    }
    pugi::xml_node found() const { return m_found; }

private:
    std::string_view m_name;
    std::string_view m_id;
    pugi::xml_node m_found;
};

} // namespace

pugi::xml_node getElementById(const pugi::xml_node& root, std::string_view elementName,
                              std::string_view id) {
    ByNameAndId walker(elementName, id);
    pugi::xml_node start = root;
    start.traverse(walker);
    return walker.found();
}

void setNodeText(pugi::xml_node node, std::string_view text) {
    const std::string value(text);
    switch (node.type()) {
    case pugi::node_pcdata:
    case pugi::node_cdata:
    case pugi::node_comment:
        node.set_value(value.c_str());
        break;
    case pugi::node_element:
        while (node.first_child()) {
            node.remove_child(node.first_child());
        }
        if (!value.empty()) {
            node.append_child(pugi::node_pcdata).set_value(value.c_str());
        }
        break;
    default:
        break;
    }
}

void setAttributeValue(pugi::xml_node element, std::string_view name, std::string_view value) {
    const std::string attributeName(name);
    if (auto attribute = element.attribute(attributeName.c_str())) {
        attribute.set_value(std::string(value).c_str());
    }
}

} // namespace kelvo
