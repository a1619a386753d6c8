// One cell of the engine's model: its format, its value and, for a formula cell,
// the formula with the result last computed by a spreadsheet program.
#pragma once

#include "sheet/formula.h"

#include <optional>
#include <string>

namespace sheet {

// What a cell shows. For a formula cell this is the result cached in the file by the
// program that last computed it; the engine itself does not compute formulas, and a
// formula it wrote or moved has no cached result until the file is opened.
struct CellValue {
  enum class Kind { Empty, Number, Text, Boolean, Error };
  Kind kind = Kind::Empty;
  double number = 0;  // Number; 1 or 0 for Boolean
  std::string text;   // Text, or the error code ("#DIV/0!")

  bool operator==(const CellValue&) const = default;
};

struct Cell {
  int style = 0;               // index into the workbook's cell formats
  CellValue value;
  long richString = -1;        // shared-string entry of an unchanged formatted text
  std::optional<Formula> formula;
  std::string arrayRange;      // for an array formula, its range ("H7" or "H7:H9")

  bool hasContent() const { return value.kind != CellValue::Kind::Empty || formula.has_value(); }
  bool isBlank() const { return !hasContent() && style == 0; }
};

}  // namespace sheet
