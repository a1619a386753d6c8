#include "sheet/xml_nodes.h"

#include "sheet/sheet_error.h"

#include <sstream>

namespace sheet {

std::string_view localName(const pugi::xml_node& node) {
  const std::string_view name = node.name();
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node childNamed(const pugi::xml_node& node, std::string_view name) {
  for (pugi::xml_node child : node.children())
    if (localName(child) == name) return child;
  return {};
}

std::string prefixOf(const pugi::xml_node& node) {
  const std::string_view name = node.name();
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon + 1));
}

std::string stringItemText(const pugi::xml_node& item) {
  std::string text;
  for (pugi::xml_node child : item.children()) {
    if (localName(child) == "t") {
      text += child.text().get();
    } else if (localName(child) == "r") {
      text += childNamed(child, "t").text().get();
    }
  }
  return text;
}

void loadPart(pugi::xml_document& doc, std::string_view xml, const std::string& part) {
  if (!doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_declaration))
    throw Error("Partea " + part + " a registrului de calcul este deteriorata.");
}

std::string printPart(const pugi::xml_document& doc) {
  std::ostringstream out;
  doc.save(out, "", pugi::format_raw | pugi::format_no_declaration);
  return out.str();
}

}  // namespace sheet
