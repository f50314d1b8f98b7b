#pragma once

#include "platform/status.h"

#include <pugixml.hpp>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// Parses XML text into doc. The failure names the file and says what is
/// wrong where, for the error report.
Status parseXml(pugi::xml_document& doc, std::string_view text, std::string_view fileName);

/// Reads and parses an XML file; a missing file fails with the
/// file-not-found number.
Status loadXmlFile(pugi::xml_document& doc, const std::filesystem::path& file);

/// The document as UTF-8 text with a declaration, indented.
std::string serializeXml(const pugi::xml_document& doc);

/// All text below the node, concatenated in document order.
std::string wholeText(const pugi::xml_node& node);

/// The first element of that name anywhere in the document, or an empty
/// node.
pugi::xml_node firstElementNamed(const pugi::xml_node& root, const char* name);

/// Every element of that name below root, in document order.
std::vector<pugi::xml_node> elementsNamed(const pugi::xml_node& root, const char* name);

/// True when the text is valid UTF-8 made only of characters XML 1.0
/// allows, so it can be written into a file that stays well-formed.
bool isXmlSafeText(std::string_view text);

} // namespace kelvo
