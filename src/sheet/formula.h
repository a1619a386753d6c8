// A formula as a sequence of plain text and references, so that structural changes
// of the workbook can move its references without touching anything else: string
// literals, function and defined names, numbers and error values stay byte for byte.
//
// A reference may carry a sheet prefix ("Date!A1", "'Foaia 2'!$B$3"); it then
// follows changes of that sheet only. An unqualified reference follows the sheet
// that holds the formula. References into other workbooks ("[1]Foaie!A1") and
// 3-D ranges never follow anything.
#pragma once

#include "sheet/reference.h"

#include <string>
#include <string_view>
#include <vector>

namespace sheet {

class Formula {
 public:
  Formula() = default;
  // `text` without the leading "=", as stored in the file.
  explicit Formula(std::string_view text);

  std::string text() const;
  bool hasReferences() const { return references_ > 0; }

  // Follows rows/columns inserted or deleted on sheet `changedSheet`; `ownSheet`
  // holds the formula (empty for workbook-level names). True when anything moved.
  bool follow(const GridChange& change, std::string_view changedSheet, std::string_view ownSheet);
  // Moves the relative parts of the references as a copy by (rows, columns) does.
  void translate(int rows, int columns);

 private:
  struct Piece {
    std::string text;         // plain text, or the sheet prefix of a reference ("" / "Date!")
    std::string sheet;        // the prefix's sheet name, unquoted; empty when none
    bool isReference = false;
    bool foreign = false;     // another workbook or a 3-D range: never follows
    Reference reference;
  };
  void addText(std::string_view text);

  std::vector<Piece> pieces_;
  int references_ = 0;
};

// Case-insensitive comparison of sheet names (ASCII letters; others exactly).
bool sameSheetName(std::string_view a, std::string_view b);

}  // namespace sheet
