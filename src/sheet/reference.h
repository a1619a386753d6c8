// One A1 reference inside a formula or a range list, and how it follows the sheet
// when rows or columns are inserted, deleted or copied.
//
// The rules are the spreadsheet programs' own:
// - inserting rows at `at` moves every reference to a row >= `at` down, absolute or
//   not; a range whose first row is above `at` and last row at or below it grows;
// - deleting rows drops the references into them (they become #REF!), moves those
//   below up, and shrinks a range that only partly covers the deleted rows;
// - copying a cell by an offset moves the relative parts of its references by the
//   offset and keeps the parts marked with $.
// Columns follow the same rules on the other axis.
#pragma once

#include <string>
#include <string_view>

namespace sheet {

enum class Axis { Rows, Columns };

// Rows (or columns) [at, at + count) inserted, or deleted when `deletion` is set.
struct GridChange {
  Axis axis = Axis::Rows;
  int at = 1;
  int count = 1;
  bool deletion = false;
};

struct Reference {
  enum class Shape { Cell, Area, Columns, Rows };
  Shape shape = Shape::Cell;
  // First and last corner; for Cell both are the same cell. For Columns the rows
  // are unused, for Rows the columns.
  int row1 = 0, column1 = 0, row2 = 0, column2 = 0;
  bool absRow1 = false, absColumn1 = false, absRow2 = false, absColumn2 = false;
  bool broken = false;  // the target was deleted: written as #REF!

  // Returns true when the reference changed.
  bool follow(const GridChange& change);
  // Moves the relative parts by the offset; a part pushed off the grid breaks it.
  bool translate(int rows, int columns);
  // Whether the (unbroken) reference lies inside rows/columns [first, last] on the axis.
  bool inside(Axis axis, int first, int last) const;
  std::string text() const;
};

// Parses a whole reference ("B7", "$B$7:C9", "A:C", "3:5"); false when `text` is
// not exactly one.
bool parseReference(std::string_view text, Reference& out);

// Parses the reference that starts at `pos` of `text`; on success sets `end` to the
// position after it. A cell name followed by "(" is a function, not a reference.
bool parseReferenceAt(std::string_view text, std::size_t pos, Reference& out, std::size_t& end);

}  // namespace sheet
