// The parts of a sheet that live outside its cells and point at them: merged areas,
// conditional formats, validations, hyperlinks, the selection, page breaks and
// column widths. They follow every structural change, and copies of rows or columns
// take the merged areas, formats and validations that lie wholly inside the source.
#include "sheet/worksheet.h"

#include "sheet/area_list.h"
#include "sheet/cell_address.h"
#include "sheet/xml_nodes.h"

#include <algorithm>
#include <functional>

namespace sheet {
namespace {

bool isAreaAttribute(std::string_view name) {
  return name == "sqref" || name == "ref" || name == "activeCell" || name == "topLeftCell";
}

bool isFormulaElement(std::string_view name) {
  return name == "formula" || name == "formula1" || name == "formula2" || name == "f";
}

int highestPriority(pugi::xml_node root) {
  int highest = 0;
  for (pugi::xml_node node : root.children())
    if (localName(node) == "conditionalFormatting")
      for (pugi::xml_node rule : node.children()) highest = std::max(highest, rule.attribute("priority").as_int(0));
  return highest;
}

void forEachElement(pugi::xml_node node, const std::function<void(pugi::xml_node)>& visit) {
  for (pugi::xml_node child : node.children()) {
    if (child.type() != pugi::node_element) continue;
    visit(child);
    forEachElement(child, visit);
  }
}

void setCount(pugi::xml_node parent, std::string_view childName, const char* attribute) {
  if (!parent) return;
  int count = 0;
  for (pugi::xml_node child : parent.children())
    if (localName(child) == childName) ++count;
  if (pugi::xml_attribute attr = parent.attribute(attribute)) attr.set_value(count);
}

// Follows one page-break position; false when the break falls in deleted lines.
bool followIndex(int& index, const GridChange& change) {
  if (index < change.at) return true;
  if (!change.deletion) {
    index += change.count;
    return true;
  }
  if (index < change.at + change.count) return false;
  index -= change.count;
  return true;
}

void translateFormulas(pugi::xml_node element, int rows, int columns) {
  forEachElement(element, [&](pugi::xml_node node) {
    if (!isFormulaElement(localName(node))) return;
    Formula formula(node.text().get());
    formula.translate(rows, columns);
    node.text().set(formula.text().c_str());
  });
}

// The column formats of <cols>, one entry per column (null where none is set).
std::vector<pugi::xml_node> expandColumns(pugi::xml_node cols) {
  std::vector<pugi::xml_node> perColumn;
  for (pugi::xml_node col : cols.children()) {
    if (localName(col) != "col") continue;
    const int min = std::clamp(col.attribute("min").as_int(0), 1, kMaxColumn);
    const int max = std::clamp(col.attribute("max").as_int(0), min, kMaxColumn);
    if (static_cast<int>(perColumn.size()) < max) perColumn.resize(static_cast<std::size_t>(max));
    for (int c = min; c <= max; ++c) perColumn[static_cast<std::size_t>(c - 1)] = col;
  }
  return perColumn;
}

void rebuildColumns(pugi::xml_node cols, const std::vector<pugi::xml_node>& perColumn) {
  pugi::xml_document scratch;
  pugi::xml_node rebuilt = scratch.append_child("cols");
  const int size = std::min(static_cast<int>(perColumn.size()), kMaxColumn);
  for (int c = 1; c <= size;) {
    const pugi::xml_node format = perColumn[static_cast<std::size_t>(c - 1)];
    int last = c;
    while (last < size && perColumn[static_cast<std::size_t>(last)] == format) ++last;
    if (format) {
      pugi::xml_node col = rebuilt.append_copy(format);
      col.attribute("min").set_value(c);
      col.attribute("max").set_value(last);
    }
    c = last + 1;
  }
  while (cols.first_child()) cols.remove_child(cols.first_child());
  for (pugi::xml_node col : rebuilt.children()) cols.append_copy(col);
  if (!cols.first_child()) cols.parent().remove_child(cols);
}

}  // namespace

void Worksheet::followLayout(const GridChange& change, std::string_view changedSheet) {
  const bool own = sameSheetName(changedSheet, name_);
  std::vector<pugi::xml_node> removed;
  forEachElement(layout_, [&](pugi::xml_node node) {
    const std::string_view name = localName(node);
    if (isFormulaElement(name)) {
      Formula formula(node.text().get());
      if (formula.follow(change, changedSheet, name_)) node.text().set(formula.text().c_str());
      return;
    }
    if (!own) return;
    if (name == "sqref") {
      const std::string areas = followAreaList(node.text().get(), change);
      if (areas.empty()) removed.push_back(node.parent());
      else node.text().set(areas.c_str());
      return;
    }
    if (name == "brk") {
      const std::string_view breaks = localName(node.parent());
      if ((breaks == "rowBreaks") != (change.axis == Axis::Rows)) return;
      int index = node.attribute("id").as_int(0);
      if (followIndex(index, change)) node.attribute("id").set_value(index);
      else removed.push_back(node);
      return;
    }
    for (pugi::xml_attribute attr : node.attributes()) {
      if (!isAreaAttribute(attr.name())) continue;
      const std::string areas = followAreaList(attr.value(), change);
      if (!areas.empty()) attr.set_value(areas.c_str());
      else if (name == "selection" || name == "pane") attr.set_value("A1");
      else removed.push_back(node);
    }
  });
  for (pugi::xml_node node : removed) {
    pugi::xml_node parent = node.parent();
    const std::string name(localName(node));
    if (!parent.remove_child(node)) continue;
    setCount(parent, name, "count");
    if (name == "brk") setCount(parent, name, "manualBreakCount");
    // These lists must not be empty: a list left without items goes.
    const std::string_view list = localName(parent);
    if (!parent.find_child([](pugi::xml_node child) { return child.type() == pugi::node_element; }) &&
        (list == "dataValidations" || list == "hyperlinks" || list == "rowBreaks" || list == "colBreaks" ||
         list == "ignoredErrors"))
      parent.parent().remove_child(parent);
  }
  if (!own) return;
  for (Reference& area : merges_) area.follow(change);
  // A merged area shrunk to one cell is no merge any more.
  std::erase_if(merges_, [](const Reference& area) {
    return area.broken || (area.row1 == area.row2 && area.column1 == area.column2);
  });
  if (change.axis == Axis::Columns) followColumns(change);
}

void Worksheet::followColumns(const GridChange& change) {
  pugi::xml_node cols = childNamed(layout_.document_element(), "cols");
  if (!cols) return;
  std::vector<pugi::xml_node> perColumn = expandColumns(cols);
  const auto at = static_cast<std::size_t>(change.at - 1);
  if (at < perColumn.size()) {
    const auto count = static_cast<std::size_t>(change.count);
    if (change.deletion) {
      perColumn.erase(perColumn.begin() + static_cast<std::ptrdiff_t>(at),
                      perColumn.begin() + static_cast<std::ptrdiff_t>(std::min(perColumn.size(), at + count)));
    } else {
      // New columns take the format of the column on their left, as in the programs.
      const pugi::xml_node left = at > 0 ? perColumn[at - 1] : pugi::xml_node();
      perColumn.insert(perColumn.begin() + static_cast<std::ptrdiff_t>(at), count, left);
    }
  }
  rebuildColumns(cols, perColumn);
}

void Worksheet::copyColumnWidths(int firstSource, int sourceCount, int at, int times) {
  pugi::xml_node cols = childNamed(layout_.document_element(), "cols");
  if (!cols) return;
  std::vector<pugi::xml_node> perColumn = expandColumns(cols);
  const int needed = at + sourceCount * times - 1;
  if (static_cast<int>(perColumn.size()) < needed) perColumn.resize(static_cast<std::size_t>(needed));
  for (int k = 0; k < times; ++k)
    for (int j = 0; j < sourceCount; ++j) {
      const int source = firstSource + j;
      perColumn[static_cast<std::size_t>(at + k * sourceCount + j - 1)] =
          source <= static_cast<int>(perColumn.size()) ? perColumn[static_cast<std::size_t>(source - 1)]
                                                       : pugi::xml_node();
    }
  rebuildColumns(cols, perColumn);
}

void Worksheet::copyLayout(Axis axis, int firstSource, int sourceCount, int at, int times) {
  const int lastSource = firstSource + sourceCount - 1;
  const int offset = at - firstSource;
  const bool rows = axis == Axis::Rows;
  const std::size_t existing = merges_.size();
  for (int k = 0; k < times; ++k)
    for (std::size_t i = 0; i < existing; ++i) {
      if (!merges_[i].inside(axis, firstSource, lastSource)) continue;
      Reference copy = merges_[i];
      const int step = offset + k * sourceCount;
      copy.translate(rows ? step : 0, rows ? 0 : step);
      merges_.push_back(copy);
    }
  copyRules(axis, firstSource, sourceCount, at, times);
  if (!rows) copyColumnWidths(firstSource, sourceCount, at, times);
}

// Conditional formats and validations. A rule whose single range covers the source
// and touches the copies grows over them, as in the programs (its relative formulas
// re-anchored when its top-left cell moves); otherwise the rule is cloned for the
// copies, its formulas moved to the first copy.
void Worksheet::copyRules(Axis axis, int firstSource, int sourceCount, int at, int times) {
  const int lastSource = firstSource + sourceCount - 1;
  const int firstCopy = at, lastCopy = at + sourceCount * times - 1;
  const int offset = at - firstSource;
  const bool rows = axis == Axis::Rows;
  pugi::xml_node root = layout_.document_element();
  std::vector<pugi::xml_node> ruled;
  for (pugi::xml_node node : root.children())
    if (localName(node) == "conditionalFormatting") ruled.push_back(node);
  if (pugi::xml_node validations = childNamed(root, "dataValidations"))
    for (pugi::xml_node node : validations.children())
      if (localName(node) == "dataValidation") ruled.push_back(node);

  for (pugi::xml_node node : ruled) {
    std::vector<Reference> areas = parseAreaList(node.attribute("sqref").value());
    if (areas.size() == 1 && areas[0].shape != (rows ? Reference::Shape::Columns : Reference::Shape::Rows)) {
      Reference& area = areas[0];
      int& first = rows ? area.row1 : area.column1;
      int& last = rows ? area.row2 : area.column2;
      const bool covers = first <= firstSource && last >= lastSource;
      if (covers && (lastCopy + 1 == first || firstCopy == last + 1)) {
        const int shift = std::min(first, firstCopy) - first;
        first = std::min(first, firstCopy);
        last = std::max(last, lastCopy);
        if (area.shape == Reference::Shape::Cell) area.shape = Reference::Shape::Area;
        node.attribute("sqref").set_value(area.text().c_str());
        translateFormulas(node, rows ? shift : 0, rows ? 0 : shift);
        continue;
      }
    }
    std::vector<Reference> copies;
    for (Reference area : areas) {
      if (!area.inside(axis, firstSource, lastSource)) continue;
      const bool wholeBlock = rows ? (area.row1 == firstSource && area.row2 == lastSource)
                                   : (area.column1 == firstSource && area.column2 == lastSource);
      if (wholeBlock) {
        if (area.shape == Reference::Shape::Cell) area.shape = Reference::Shape::Area;
        (rows ? area.row1 : area.column1) = firstCopy;
        (rows ? area.row2 : area.column2) = lastCopy;
        copies.push_back(area);
        continue;
      }
      for (int k = 0; k < times; ++k) {
        Reference copy = area;
        const int step = offset + k * sourceCount;
        copy.translate(rows ? step : 0, rows ? 0 : step);
        copies.push_back(copy);
      }
    }
    if (copies.empty()) continue;
    pugi::xml_node clone = node.parent().insert_copy_after(node, node);
    clone.attribute("sqref").set_value(areaListText(copies).c_str());
    translateFormulas(clone, rows ? offset : 0, rows ? 0 : offset);
    setCount(node.parent(), "dataValidation", "count");
    // Rule priorities are unique within a sheet.
    for (pugi::xml_node rule : clone.children())
      if (localName(rule) == "cfRule") rule.attribute("priority").set_value(highestPriority(root) + 1);
  }
}

}  // namespace sheet
