#include "sheet/workbook.h"

#include "sheet/sheet_error.h"
#include "sheet/xml_nodes.h"

namespace sheet {
namespace {

constexpr std::string_view kRelationsNamespace = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr std::string_view kOfficeRelations =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

bool endsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::string folderOf(std::string_view part) {
  const std::size_t slash = part.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(part.substr(0, slash + 1));
}

// A relationship target as a part name: relative to the source's folder, or
// absolute from the package root; "." and ".." resolved.
std::string resolvePart(std::string_view folder, std::string_view target) {
  std::string joined = !target.empty() && target.front() == '/' ? std::string(target.substr(1))
                                                                : std::string(folder) + std::string(target);
  std::vector<std::string> segments;
  std::size_t pos = 0;
  while (pos <= joined.size()) {
    std::size_t end = joined.find('/', pos);
    if (end == std::string::npos) end = joined.size();
    const std::string segment = joined.substr(pos, end - pos);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    pos = end + 1;
  }
  std::string part;
  for (const std::string& segment : segments) part += (part.empty() ? "" : "/") + segment;
  return part;
}

std::string relationsPartOf(std::string_view part) {
  const std::string folder = folderOf(part);
  return folder + "_rels/" + std::string(part.substr(folder.size())) + ".rels";
}

std::string relationId(const pugi::xml_node& node) {
  for (pugi::xml_attribute attr : node.attributes())
    if (endsWith(attr.name(), ":id")) return attr.value();
  return {};
}

}  // namespace

Workbook::Workbook(const std::string& path) : path_(path), package_(ZipPackage::read(path)) {
  try {
    pugi::xml_document rootRelations;
    loadPart(rootRelations, package_.part("_rels/.rels"), "_rels/.rels");
    workbookPart_ = "xl/workbook.xml";
    for (pugi::xml_node rel : rootRelations.document_element().children())
      if (endsWith(rel.attribute("Type").value(), "/officeDocument"))
        workbookPart_ = resolvePart("", rel.attribute("Target").value());
    loadPart(workbook_, package_.part(workbookPart_), workbookPart_);
    relationsPart_ = relationsPartOf(workbookPart_);
    readRelations();

    const pugi::xml_node root = workbook_.document_element();
    const std::string_view date1904 = childNamed(root, "workbookPr").attribute("date1904").value();
    system1904_ = date1904 == "1" || date1904 == "true";

    stringsPart_ = relatedPart("/sharedStrings");
    if (!stringsPart_.empty()) strings_.load(package_.part(stringsPart_), stringsPart_);
    stylesPart_ = relatedPart("/styles");
    if (!stylesPart_.empty()) styles_.load(package_.part(stylesPart_), stylesPart_);

    for (pugi::xml_node entry : childNamed(root, "sheets").children()) {
      const std::string id = relationId(entry);
      for (const Relation& rel : relations_) {
        if (rel.id != id || !endsWith(rel.type, "/worksheet")) continue;
        auto sheet = std::make_unique<Worksheet>(entry.attribute("name").value(), rel.target, styles_, system1904_);
        sheet->load(package_.part(rel.target), strings_);
        Worksheet* raw = sheet.get();
        sheet->setStructureListener([this, raw](const GridChange& change) { followChange(*raw, change); });
        sheets_.push_back(std::move(sheet));
        sheetParts_.push_back(rel.target);
      }
    }
    if (sheets_.empty()) throw Error("nu are nicio foaie de calcul");
  } catch (const Error& error) {
    throw Error("Fisierul " + path + " nu poate fi folosit: " + error.what());
  }
}

void Workbook::readRelations() {
  relations_.clear();
  if (!package_.has(relationsPart_)) return;
  pugi::xml_document doc;
  loadPart(doc, package_.part(relationsPart_), relationsPart_);
  const std::string folder = folderOf(workbookPart_);
  for (pugi::xml_node rel : doc.document_element().children()) {
    if (std::string_view(rel.attribute("TargetMode").value()) == "External") continue;
    relations_.push_back(Relation{rel.attribute("Id").value(), rel.attribute("Type").value(),
                                  resolvePart(folder, rel.attribute("Target").value())});
  }
}

std::string Workbook::relatedPart(std::string_view typeSuffix) const {
  for (const Relation& rel : relations_)
    if (endsWith(rel.type, typeSuffix) && package_.has(rel.target)) return rel.target;
  return {};
}

Worksheet& Workbook::sheet(int index) {
  if (index < 0 || index >= sheetCount())
    throw Error("Fisierul " + path_ + " nu are foaia " + std::to_string(index + 1) + ".");
  return *sheets_[static_cast<std::size_t>(index)];
}

Worksheet* Workbook::findSheet(std::string_view name) {
  for (auto& sheet : sheets_)
    if (sameSheetName(sheet->name(), name)) return sheet.get();
  return nullptr;
}

void Workbook::followChange(const Worksheet& changed, const GridChange& change) {
  for (auto& sheet : sheets_)
    if (sheet.get() != &changed) sheet->followChange(change, changed.name());
  // Defined names (print areas and titles among them): unqualified references in a
  // sheet-level name belong to that sheet.
  const pugi::xml_node root = workbook_.document_element();
  std::vector<std::string> order;
  for (pugi::xml_node entry : childNamed(root, "sheets").children()) order.push_back(entry.attribute("name").value());
  for (pugi::xml_node name : childNamed(root, "definedNames").children()) {
    const int local = name.attribute("localSheetId").as_int(-1);
    const std::string own = local >= 0 && local < static_cast<int>(order.size()) ? order[static_cast<std::size_t>(local)] : "";
    Formula formula(name.text().get());
    if (formula.follow(change, changed.name(), own)) name.text().set(formula.text().c_str());
  }
}

void Workbook::addPart(const std::string& part, std::string_view relationType, std::string_view contentType) {
  pugi::xml_document relations;
  if (package_.has(relationsPart_)) {
    loadPart(relations, package_.part(relationsPart_), relationsPart_);
  } else {
    relations.append_child("Relationships").append_attribute("xmlns") = std::string(kRelationsNamespace).c_str();
  }
  int next = 1;
  while (true) {
    bool taken = false;
    for (pugi::xml_node rel : relations.document_element().children())
      if (rel.attribute("Id").value() == "rId" + std::to_string(next)) taken = true;
    if (!taken) break;
    ++next;
  }
  pugi::xml_node rel = relations.document_element().append_child("Relationship");
  rel.append_attribute("Id") = ("rId" + std::to_string(next)).c_str();
  rel.append_attribute("Type") = (std::string(kOfficeRelations) + std::string(relationType)).c_str();
  rel.append_attribute("Target") = part.substr(folderOf(workbookPart_).size()).c_str();
  package_.setPart(relationsPart_, printPart(relations));

  pugi::xml_document types;
  loadPart(types, package_.part("[Content_Types].xml"), "[Content_Types].xml");
  pugi::xml_node override = types.document_element().append_child("Override");
  override.append_attribute("PartName") = ("/" + part).c_str();
  override.append_attribute("ContentType") = std::string(contentType).c_str();
  package_.setPart("[Content_Types].xml", printPart(types));
  readRelations();
}

void Workbook::dropPart(std::string_view typeSuffix, std::string_view part) {
  package_.removePart(part);
  if (package_.has(relationsPart_)) {
    pugi::xml_document relations;
    loadPart(relations, package_.part(relationsPart_), relationsPart_);
    for (pugi::xml_node rel = relations.document_element().first_child(); rel;) {
      const pugi::xml_node next = rel.next_sibling();
      if (endsWith(rel.attribute("Type").value(), typeSuffix)) relations.document_element().remove_child(rel);
      rel = next;
    }
    package_.setPart(relationsPart_, printPart(relations));
  }
  pugi::xml_document types;
  loadPart(types, package_.part("[Content_Types].xml"), "[Content_Types].xml");
  for (pugi::xml_node entry = types.document_element().first_child(); entry;) {
    const pugi::xml_node next = entry.next_sibling();
    if (std::string_view(entry.attribute("PartName").value()) == "/" + std::string(part))
      types.document_element().remove_child(entry);
    entry = next;
  }
  package_.setPart("[Content_Types].xml", printPart(types));
  readRelations();
}

void Workbook::prepareWorkbookPart() {
  pugi::xml_node root = workbook_.document_element();
  const std::string prefix = prefixOf(root);
  pugi::xml_node calc = childNamed(root, "calcPr");
  if (!calc) {
    pugi::xml_node after = childNamed(root, "definedNames");
    if (!after) after = childNamed(root, "sheets");
    calc = after ? root.insert_child_after((prefix + "calcPr").c_str(), after) : root.append_child((prefix + "calcPr").c_str());
  }
  if (!calc.attribute("fullCalcOnLoad")) calc.append_attribute("fullCalcOnLoad");
  calc.attribute("fullCalcOnLoad").set_value("1");
  package_.setPart(workbookPart_, printPart(workbook_));
}

void Workbook::save(const std::string& path) {
  // The calculation chain lists formula cells by address; after rows moved it would
  // be wrong, and the programs rebuild it anyway.
  if (const std::string chain = relatedPart("/calcChain"); !chain.empty()) dropPart("/calcChain", chain);
  for (std::size_t i = 0; i < sheets_.size(); ++i) package_.setPart(sheetParts_[i], sheets_[i]->xml(strings_));
  if (stringsPart_.empty() && strings_.size() > 0) {
    stringsPart_ = folderOf(workbookPart_) + "sharedStrings.xml";
    addPart(stringsPart_, "sharedStrings",
            "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml");
  }
  if (!stringsPart_.empty()) package_.setPart(stringsPart_, strings_.xml());
  if (styles_.changed()) package_.setPart(stylesPart_, styles_.xml());
  prepareWorkbookPart();
  package_.write(path);
}

}  // namespace sheet
