// A formula as a sequence of plain text and references, so that structural changes
// of the workbook can move its references without touching anything else: string
// literals, function and defined names, numbers and error values stay byte for byte.
//
// A reference may carry a sheet prefix ("Date!A1", "'Foaia 2'!$B$3"); it then
// follows changes of that sheet only. An unqualified reference follows the sheet
// that holds the formula. References into other workbooks ("[1]Foaie!A1") and
// 3-D ranges never follow anything.
//
// A formula is anchored at the cell holding it: relative parts are kept as
// distances from that cell, as spreadsheet programs do internally. A copy of the
// formula in another cell therefore refers to the same relative cells, and a
// formula that only refers to its own row never changes when rows move (so row
// operations can skip it, which keeps repeated row insertions cheap). Formulas
// outside cells (defined names, range rules) use the anchor (0, 0), which makes
// every part absolute in effect.
#pragma once

#include "sheet/reference.h"

#include <string>
#include <string_view>
#include <vector>

namespace sheet {

class Formula {
 public:
  Formula() = default;
  // `text` without the leading "=", as written in the cell at (row, column).
  explicit Formula(std::string_view text, int row = 0, int column = 0);

  // The text as written in the cell at (row, column).
  std::string text(int row = 0, int column = 0) const;
  bool hasReferences() const { return references_ > 0; }
  // Whether a row change can alter the formula: it refers to another row, to a row
  // by $, or to another sheet.
  bool reachesOtherRows() const { return reachesOtherRows_; }

  // Follows rows/columns inserted or deleted on sheet `changedSheet`; the formula
  // stands in (row, column) of `ownSheet` before the change (empty for names).
  // True when the text changed.
  bool follow(const GridChange& change, std::string_view changedSheet, std::string_view ownSheet, int row = 0,
              int column = 0);
  // Moves the relative parts as a copy by (rows, columns) does; for formulas held
  // at the anchor (0, 0).
  void translate(int rows, int columns);

 private:
  struct Piece {
    std::string text;         // plain text, or the sheet prefix of a reference ("" / "Date!")
    std::string sheet;        // the prefix's sheet name, unquoted; empty when none
    bool isReference = false;
    bool foreign = false;     // another workbook or a 3-D range: never follows
    Reference reference;      // relative parts as distances from the anchor
  };
  void addText(std::string_view text);
  void classify();

  std::vector<Piece> pieces_;
  int references_ = 0;
  bool reachesOtherRows_ = false;
};

// Case-insensitive comparison of sheet names (ASCII letters; others exactly).
bool sameSheetName(std::string_view a, std::string_view b);

}  // namespace sheet
