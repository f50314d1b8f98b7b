#pragma once

#include <pugixml.hpp>

#include <string_view>

namespace kelvo {

/// The first element of that name, in document order, whose "id" attribute
/// is exactly id; a null node when there is none. Names and ids match with
/// case.
pugi::xml_node getElementById(const pugi::xml_node& root, std::string_view elementName,
                              std::string_view id);

/// Sets the text of a node: an element's children are replaced by the one
/// text (none when it is empty); a text or CDATA node gets the new value.
/// A null node is left alone.
void setNodeText(pugi::xml_node node, std::string_view text);

/// Sets the element's first attribute of that name; nothing happens when
/// the element has none.
void setAttributeValue(pugi::xml_node element, std::string_view name, std::string_view value);

} // namespace kelvo
