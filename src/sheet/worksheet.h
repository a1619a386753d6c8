// One sheet of a workbook opened with sheet::Workbook: cell access and the row and
// column operations of a spreadsheet program.
//
// Rows and columns are counted from 1. Every structural operation adjusts every
// formula of the workbook exactly as the spreadsheet programs do (see reference.h):
// references below an insertion move down, ranges spanning it grow, references to
// deleted cells become #REF!; merged areas, conditional formats, validations,
// hyperlinks, page breaks, column widths, print areas and the other defined names
// follow too. A copy moves the relative references of its formulas by the distance
// copied, so a per-row formula of a copied row refers to its own row.
#pragma once

#include "sheet/cell.h"
#include "sheet/cell_address.h"
#include "sheet/reference.h"
#include "sheet/sheet_error.h"

#include <pugixml.hpp>

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sheet {

class CellStyles;
class SharedStrings;

class Worksheet {
 public:
  Worksheet(std::string name, std::string part, CellStyles& styles, bool system1904);
  Worksheet(const Worksheet&) = delete;
  Worksheet& operator=(const Worksheet&) = delete;

  const std::string& name() const { return name_; }

  // The last row and column holding a value or a formula; 0 on an empty sheet.
  int lastRow() const;
  int lastColumn() const;

  CellValue value(int row, int column) const;
  // The value as text: numbers in their shortest exact form ("12.5", "380").
  std::string text(int row, int column) const;
  std::optional<double> number(int row, int column) const;
  std::optional<std::chrono::year_month_day> date(int row, int column) const;
  // The formula without "=", empty when the cell holds none.
  std::string formula(int row, int column) const;
  int style(int row, int column) const;

  // Writing a value replaces the cell's value or formula and keeps its format.
  void setText(int row, int column, std::string_view text);
  void setNumber(int row, int column, double number);
  // The date's day number, shown through the cell's date format (see cell_styles.h).
  void setDate(int row, int column, std::chrono::year_month_day date);
  void setFormula(int row, int column, std::string_view formula);
  void setStyle(int row, int column, int style);
  void clear(int row, int column);

  void insertRows(int at, int count = 1);
  void deleteRows(int first, int count = 1);
  void insertColumns(int at, int count = 1);
  void deleteColumns(int first, int count = 1);
  // Inserts `times` copies of rows [firstSource, firstSource + sourceCount) at `at`,
  // as "insert copied cells" does: the sheet moves first, then each new row gets the
  // source's cells, formats, height and merged areas. The source block must lie
  // wholly above or at/below `at`.
  void insertRowCopies(int firstSource, int sourceCount, int at, int times = 1);
  void insertColumnCopies(int firstSource, int sourceCount, int at, int times = 1);

  // Sorts rows [first, last] by the text of `keyColumn`, ascending and stable; the
  // relative references of a moved row's formulas move with it.
  void sortRows(int first, int last, int keyColumn);

  // Every text cell equal to `marker` (both trimmed, letters compared upper-cased)
  // gets the value; returns how many cells changed.
  int replaceMarker(std::string_view marker, std::string_view text);
  int replaceMarkerNumber(std::string_view marker, double number);

  // --- used by sheet::Workbook ---
  void load(std::string_view xml, const SharedStrings& strings);
  std::string xml(SharedStrings& strings);
  // Follows a change of sheet `changedSheet` (this one or another).
  void followChange(const GridChange& change, std::string_view changedSheet);
  // Called after every structural change of this sheet, so the workbook can make
  // the other sheets and the defined names follow.
  void setStructureListener(std::function<void(const GridChange&)> listener) { listener_ = std::move(listener); }

 private:
  struct Row {
    std::vector<Cell> cells;  // index = column - 1
    std::string attributes;   // the <row> attributes other than r and spans, as written
    int lastContent = 0;      // the last column holding a value or a formula, as counted
    int findLastContent() const;
  };

  const Cell* cellAt(int row, int column) const;
  // The cell emptied of value and formula (format kept), ready for new content;
  // contentChanged must follow once it is written.
  Cell& emptied(int row, int column);
  void contentChanged(int row);
  void countLastColumn(int column, int delta);
  void recountLastColumns();
  void noteFormula(int row, const Formula& formula);
  void markReaching(int row);
  std::vector<CellAddress> markerCells(std::string_view marker) const;
  Cell& cellFor(int row, int column);
  void change(const GridChange& change);
  void moveCells(const GridChange& change);
  void copyLine(Axis axis, int from, int to);
  void copyLayout(Axis axis, int firstSource, int sourceCount, int at, int times);
  void insertCopies(Axis axis, int firstSource, int sourceCount, int at, int times);

  void followLayout(const GridChange& change, std::string_view changedSheet);
  void followColumns(const GridChange& change);
  void copyColumnWidths(int firstSource, int sourceCount, int at, int times);
  void writeDimension();
  void writeMerges();
  void copyRules(Axis axis, int firstSource, int sourceCount, int at, int times);

  std::string name_;
  std::string part_;
  CellStyles& styles_;
  bool system1904_;
  std::deque<Row> rows_;  // index = row - 1; a deque, so inserting near the top is cheap
  // Per row: whether it may hold a formula that a row change alters (one referring
  // to other rows or sheets). Rows of own-row formulas are skipped by row changes.
  std::vector<char> reaching_;
  pugi::xml_document layout_;  // the sheet's XML without its cells and merged areas
  std::vector<Reference> merges_;
  // How many rows end their content in each column, so the last used column is
  // known without reading every cell.
  std::map<int, int> lastColumns_;
  std::function<void(const GridChange&)> listener_;
};

}  // namespace sheet
