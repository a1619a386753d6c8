#include "sheet/shared_strings.h"

#include "sheet/cell_text.h"
#include "sheet/xml_nodes.h"

#include <pugixml.hpp>

#include <sstream>

namespace sheet {
namespace {

void stripPrefixes(pugi::xml_node node) {
  if (node.type() != pugi::node_element) return;
  const std::string name(localName(node));
  node.set_name(name.c_str());
  for (pugi::xml_node child : node.children()) stripPrefixes(child);
}

}  // namespace

void SharedStrings::load(std::string_view xml, const std::string& part) {
  pugi::xml_document doc;
  loadPart(doc, xml, part);
  const pugi::xml_node sst = doc.document_element();
  for (pugi::xml_node si : sst.children()) {
    if (localName(si) != "si") continue;
    Entry entry;
    entry.text = decodeCellText(stringItemText(si));
    bool rich = false;
    for (pugi::xml_node child : si.children())
      if (localName(child) == "r") rich = true;
    if (rich) {
      // Written back inside our own <sst>, which declares no prefixes.
      stripPrefixes(si);
      std::ostringstream out;
      si.print(out, "", pugi::format_raw);
      entry.xml = out.str();
    } else {
      plainIndex_.emplace(entry.text, entries_.size());
    }
    entries_.push_back(std::move(entry));
  }
}

const std::string& SharedStrings::text(std::size_t index) const {
  static const std::string empty;
  return index < entries_.size() ? entries_[index].text : empty;
}

std::size_t SharedStrings::intern(std::string_view text) {
  std::string key(text);
  if (const auto found = plainIndex_.find(key); found != plainIndex_.end()) return found->second;
  plainIndex_.emplace(key, entries_.size());
  entries_.push_back(Entry{std::move(key), {}});
  return entries_.size() - 1;
}

std::string SharedStrings::xml() const {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"" +
      std::to_string(entries_.size()) + "\" uniqueCount=\"" + std::to_string(entries_.size()) + "\">";
  for (const Entry& entry : entries_) {
    if (!entry.xml.empty()) {
      out += entry.xml;
      continue;
    }
    out += "<si><t xml:space=\"preserve\">";
    appendXmlEscaped(out, encodeCellText(entry.text));
    out += "</t></si>";
  }
  out += "</sst>";
  return out;
}

}  // namespace sheet
