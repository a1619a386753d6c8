// Small helpers over pugixml for SpreadsheetML, whose elements may come with or
// without a namespace prefix ("x:row" from some producers).
#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace sheet {

std::string_view localName(const pugi::xml_node& node);
// The first child with this local name.
pugi::xml_node childNamed(const pugi::xml_node& node, std::string_view name);
// The prefix of `node` including the colon ("x:"), or "".
std::string prefixOf(const pugi::xml_node& node);
// The text of a string item (<si> or <is>): its <t>, or its runs' <t> joined.
std::string stringItemText(const pugi::xml_node& item);
// Parses a part; throws sheet::Error naming the part when it is not well-formed.
void loadPart(pugi::xml_document& doc, std::string_view xml, const std::string& part);
std::string printPart(const pugi::xml_document& doc);

}  // namespace sheet
