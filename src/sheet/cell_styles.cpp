#include "sheet/cell_styles.h"

#include "sheet/xml_nodes.h"

namespace sheet {
namespace {

constexpr const char* kDateCode = "dd.mm.yyyy";

// Built-in number formats that show dates (ECMA-376, 18.8.30).
bool isBuiltInDate(int id) { return (id >= 14 && id <= 22) || (id >= 45 && id <= 47); }

// A format code shows a date when it has d, m or y outside quotes, brackets and escapes.
bool codeShowsDate(std::string_view code) {
  bool quoted = false;
  for (std::size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\\' || c == '_' || c == '*') {
      ++i;
      continue;
    }
    if (c == '[') {
      const std::size_t close = code.find(']', i);
      if (close == std::string_view::npos) return false;
      i = close;
      continue;
    }
    if (c == 'd' || c == 'D' || c == 'y' || c == 'Y' || c == 'm' || c == 'M') return true;
  }
  return false;
}

pugi::xml_node nthChild(const pugi::xml_node& parent, std::string_view name, int index) {
  int i = 0;
  for (pugi::xml_node child : parent.children()) {
    if (localName(child) != name) continue;
    if (i++ == index) return child;
  }
  return {};
}

void updateCount(pugi::xml_node parent, std::string_view name) {
  int count = 0;
  for (pugi::xml_node child : parent.children())
    if (localName(child) == name) ++count;
  if (pugi::xml_attribute attr = parent.attribute("count")) attr.set_value(count);
  else parent.append_attribute("count") = count;
}

}  // namespace

void CellStyles::load(std::string_view xml, const std::string& part) { loadPart(doc_, xml, part); }

pugi::xml_node CellStyles::cellXfs() const { return childNamed(doc_.document_element(), "cellXfs"); }

bool CellStyles::isDateFormat(int style) const {
  const pugi::xml_node xf = nthChild(cellXfs(), "xf", style);
  if (!xf) return false;
  const int id = xf.attribute("numFmtId").as_int(0);
  if (isBuiltInDate(id)) return true;
  for (pugi::xml_node format : childNamed(doc_.document_element(), "numFmts").children())
    if (format.attribute("numFmtId").as_int(-1) == id) return codeShowsDate(format.attribute("formatCode").value());
  return false;
}

int CellStyles::dateFormatId() {
  if (dateFormatId_ >= 0) return dateFormatId_;
  pugi::xml_node root = doc_.document_element();
  pugi::xml_node formats = childNamed(root, "numFmts");
  if (!formats) formats = root.prepend_child((prefixOf(root) + "numFmts").c_str());
  int next = 164;  // first id free for custom formats
  for (pugi::xml_node format : formats.children()) {
    const int id = format.attribute("numFmtId").as_int(0);
    if (std::string_view(format.attribute("formatCode").value()) == kDateCode) return dateFormatId_ = id;
    if (id >= next) next = id + 1;
  }
  pugi::xml_node format = formats.append_child((prefixOf(root) + "numFmt").c_str());
  format.append_attribute("numFmtId") = next;
  format.append_attribute("formatCode") = kDateCode;
  updateCount(formats, "numFmt");
  changed_ = true;
  return dateFormatId_ = next;
}

int CellStyles::dateStyle(int style) {
  if (!loaded() || isDateFormat(style)) return style;
  if (const auto found = datedCopies_.find(style); found != datedCopies_.end()) return found->second;
  pugi::xml_node xfs = cellXfs();
  if (!xfs) return style;
  const int formatId = dateFormatId();
  pugi::xml_node source = nthChild(xfs, "xf", style);
  pugi::xml_node copy = source ? xfs.append_copy(source) : xfs.append_child((prefixOf(xfs) + "xf").c_str());
  copy.remove_attribute("numFmtId");
  copy.remove_attribute("applyNumberFormat");
  copy.append_attribute("numFmtId") = formatId;
  copy.append_attribute("applyNumberFormat") = 1;
  updateCount(xfs, "xf");
  int index = 0;
  for (pugi::xml_node xf : xfs.children())
    if (localName(xf) == "xf") ++index;
  changed_ = true;
  return datedCopies_[style] = index - 1;
}

std::string CellStyles::xml() const { return printPart(doc_); }

}  // namespace sheet
