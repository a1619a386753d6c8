// A worksheet part read into the engine's model and written back. The cells become
// the model; everything else in the part stays as a document (the layout) and is
// printed around the cells again. Shared formulas are expanded into one formula
// per cell, so every cell's formula can follow changes on its own. Formulas are
// written without cached results: the workbook asks for a full recalculation on
// load (see workbook.cpp).
#include "sheet/worksheet.h"

#include "sheet/area_list.h"
#include "sheet/cell_address.h"
#include "sheet/cell_text.h"
#include "sheet/sheet_error.h"
#include "sheet/shared_strings.h"
#include "sheet/xml_nodes.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

namespace sheet {
namespace {

constexpr const char* kCellsPlaceholder = "@@dajdor-sheet-cells@@";

double parseNumber(std::string_view text) {
  double number = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  (void)end;
  return ec == std::errc() ? number : 0;
}

void appendNumber(std::string& out, double number) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, number);
  out.append(buffer, ec == std::errc() ? end : buffer);
}

}  // namespace

void Worksheet::load(std::string_view xml, const SharedStrings& strings) {
  loadPart(layout_, xml, part_);
  pugi::xml_node sheetData = childNamed(layout_.document_element(), "sheetData");
  if (!sheetData) throw Error("Foaia " + name_ + " (" + part_ + ") nu are celule.");

  // Merged areas live in a list while the sheet changes: they multiply with copied
  // rows, and a list follows a change far faster than the document does.
  if (pugi::xml_node merges = childNamed(layout_.document_element(), "mergeCells")) {
    for (pugi::xml_node merge : merges.children()) {
      Reference area;
      if (parseReference(merge.attribute("ref").value(), area)) merges_.push_back(area);
    }
    while (merges.first_child()) merges.remove_child(merges.first_child());
  }

  std::map<int, Formula> shared;  // masters of shared formulas by index
  int rowNumber = 0;
  for (pugi::xml_node rowNode : sheetData.children()) {
    if (localName(rowNode) != "row") continue;
    rowNumber = rowNode.attribute("r").as_int(rowNumber + 1);
    if (rowNumber < 1 || rowNumber > kMaxRow) throw Error("Foaia " + name_ + " are un rand in afara foii.");
    if (static_cast<int>(rows_.size()) < rowNumber) rows_.resize(static_cast<std::size_t>(rowNumber));
    Row& row = rows_[static_cast<std::size_t>(rowNumber - 1)];
    for (pugi::xml_attribute attr : rowNode.attributes()) {
      const std::string_view name = attr.name();
      if (name == "r" || name == "spans") continue;
      row.attributes += ' ';
      row.attributes += name;
      row.attributes += "=\"";
      appendXmlEscaped(row.attributes, attr.value());
      row.attributes += '"';
    }
    int columnNumber = 0;
    for (pugi::xml_node cellNode : rowNode.children()) {
      if (localName(cellNode) != "c") continue;
      const auto address = parseCellAddress(cellNode.attribute("r").value());
      columnNumber = address ? address->column : columnNumber + 1;
      if (columnNumber > kMaxColumn) throw Error("Foaia " + name_ + " are o coloana in afara foii.");
      Cell& cell = cellFor(rowNumber, columnNumber);
      cell.style = cellNode.attribute("s").as_int(0);
      const std::string_view type = cellNode.attribute("t").value();
      const std::string_view stored = childNamed(cellNode, "v").text().get();
      if (type == "s") {
        const auto index = static_cast<std::size_t>(parseNumber(stored));
        cell.value = CellValue{CellValue::Kind::Text, 0, strings.text(index)};
        if (strings.isRich(index)) cell.richString = static_cast<long>(index);
      } else if (type == "inlineStr") {
        cell.value = CellValue{CellValue::Kind::Text, 0, decodeCellText(stringItemText(childNamed(cellNode, "is")))};
      } else if (type == "str" || type == "d") {
        cell.value = CellValue{CellValue::Kind::Text, 0, decodeCellText(stored)};
      } else if (type == "b") {
        cell.value = CellValue{CellValue::Kind::Boolean, parseNumber(stored) != 0 ? 1.0 : 0.0, {}};
      } else if (type == "e") {
        cell.value = CellValue{CellValue::Kind::Error, 0, std::string(stored)};
      } else if (!stored.empty()) {
        cell.value = CellValue{CellValue::Kind::Number, parseNumber(stored), {}};
      }

      const pugi::xml_node f = childNamed(cellNode, "f");
      if (!f) continue;
      const std::string_view kind = f.attribute("t").value();
      const std::string text = f.text().get();
      if (kind == "shared") {
        const int index = f.attribute("si").as_int(-1);
        // An anchored copy of the master is the formula the child cell shows.
        if (!text.empty()) {
          cell.formula = shared[index] = Formula(text, rowNumber, columnNumber);
        } else if (const auto master = shared.find(index); master != shared.end()) {
          cell.formula = master->second;
        }
      } else if (kind != "dataTable" && !text.empty()) {
        cell.formula = Formula(text, rowNumber, columnNumber);
        if (kind == "array") cell.arrayRange = f.attribute("ref").value();
      }
      if (cell.formula) noteFormula(rowNumber, *cell.formula);
      if (cell.arrayRange.find(':') != std::string::npos) markReaching(rowNumber);
    }
  }
  while (sheetData.first_child()) sheetData.remove_child(sheetData.first_child());
  recountLastColumns();
}

void Worksheet::writeDimension() {
  int lastRowUsed = 0, lastColumnUsed = 0;
  for (std::size_t r = 0; r < rows_.size(); ++r)
    for (std::size_t c = 0; c < rows_[r].cells.size(); ++c)
      if (!rows_[r].cells[c].isBlank()) {
        lastRowUsed = static_cast<int>(r + 1);
        lastColumnUsed = std::max(lastColumnUsed, static_cast<int>(c + 1));
      }
  pugi::xml_node dimension = childNamed(layout_.document_element(), "dimension");
  if (!dimension) return;
  const std::string ref = lastRowUsed == 0 ? std::string("A1") : "A1:" + cellName(lastRowUsed, lastColumnUsed);
  if (pugi::xml_attribute attr = dimension.attribute("ref")) attr.set_value(ref.c_str());
}

void Worksheet::writeMerges() {
  pugi::xml_node root = layout_.document_element();
  pugi::xml_node merges = childNamed(root, "mergeCells");
  if (!merges) return;
  if (merges_.empty()) {  // an empty list of merged areas is not allowed
    root.remove_child(merges);
    return;
  }
  const std::string tag = prefixOf(merges) + "mergeCell";
  for (const Reference& area : merges_)
    merges.append_child(tag.c_str()).append_attribute("ref") = area.text().c_str();
  if (pugi::xml_attribute count = merges.attribute("count")) count.set_value(merges_.size());
}

std::string Worksheet::xml(SharedStrings& strings) {
  writeDimension();
  pugi::xml_node sheetData = childNamed(layout_.document_element(), "sheetData");
  const std::string prefix = prefixOf(sheetData);
  std::string cells;
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    const Row& row = rows_[r];
    const bool blank = std::all_of(row.cells.begin(), row.cells.end(), [](const Cell& cell) { return cell.isBlank(); });
    if (blank && row.attributes.empty()) continue;
    const std::string rowNumber = std::to_string(r + 1);
    cells += '<' + prefix + "row r=\"" + rowNumber + '"' + row.attributes + '>';
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
      const Cell& cell = row.cells[c];
      if (cell.isBlank()) continue;
      cells += '<' + prefix + "c r=\"" + columnLetters(static_cast<int>(c + 1)) + rowNumber + '"';
      if (cell.style != 0) cells += " s=\"" + std::to_string(cell.style) + '"';
      if (cell.formula) {
        cells += "><" + prefix + 'f';
        if (!cell.arrayRange.empty()) {
          const std::string own = columnLetters(static_cast<int>(c + 1)) + rowNumber;
          const bool single = cell.arrayRange.find(':') == std::string::npos;
          cells += " t=\"array\" ref=\"" + (single ? own : cell.arrayRange) + '"';
        }
        cells += '>';
        appendXmlEscaped(cells, cell.formula->text(static_cast<int>(r + 1), static_cast<int>(c + 1)));
        cells += "</" + prefix + "f></" + prefix + "c>";
        continue;
      }
      const CellValue& value = cell.value;
      std::string stored;
      switch (value.kind) {
        case CellValue::Kind::Empty:
          cells += "/>";
          continue;
        case CellValue::Kind::Text:
          cells += " t=\"s\"";
          stored = std::to_string(cell.richString >= 0 ? static_cast<std::size_t>(cell.richString)
                                                      : strings.intern(value.text));
          break;
        case CellValue::Kind::Number:
          if (!std::isfinite(value.number)) {
            cells += " t=\"e\"";
            stored = "#NUM!";
          } else {
            appendNumber(stored, value.number);
          }
          break;
        case CellValue::Kind::Boolean:
          cells += " t=\"b\"";
          stored = value.number != 0 ? "1" : "0";
          break;
        case CellValue::Kind::Error:
          cells += " t=\"e\"";
          appendXmlEscaped(stored, value.text);
          break;
      }
      cells += "><" + prefix + "v>" + stored + "</" + prefix + "v></" + prefix + "c>";
    }
    cells += "</" + prefix + "row>";
  }

  writeMerges();
  sheetData.text().set(kCellsPlaceholder);
  std::string out = printPart(layout_);
  while (sheetData.first_child()) sheetData.remove_child(sheetData.first_child());
  if (pugi::xml_node merges = childNamed(layout_.document_element(), "mergeCells"))
    while (merges.first_child()) merges.remove_child(merges.first_child());
  const std::size_t at = out.find(kCellsPlaceholder);
  if (at != std::string::npos) out.replace(at, std::char_traits<char>::length(kCellsPlaceholder), cells);
  return out;
}

}  // namespace sheet
