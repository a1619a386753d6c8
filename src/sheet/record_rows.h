// The record row of a template repeated once per record.
//
// The record row is the row holding a cell "#DBF" (the last such row when there are
// several; every "#DBF" cell is emptied). Each record gets a copy of it inserted
// above it, so totals below whose ranges start above the record row grow to cover
// every record, and per-row formulas refer to their own row; at the end the
// template row itself is deleted. In each copy:
//   "%NRCRT" or "#NRCRT"     the record's running number (1, 2, ...);
//   "#" + a field name       that field (names compared without regard to case):
//                            a text as text, even "0" (an empty text leaves the cell
//                            empty); a number when it is not zero, else an empty
//                            cell; a date as a day number in the cell's date format;
//   any other cell           copied unchanged, formulas adjusted to the new row.
// Markers are compared on the cell's text trimmed and upper-cased.
#pragma once

#include "sheet/worksheet.h"

#include <chrono>
#include <string>
#include <vector>

namespace sheet {

struct FieldValue {
  enum class Kind { Null, Text, Number, Date };
  Kind kind = Kind::Null;
  std::string text;
  double number = 0;
  std::chrono::year_month_day date{};

  static FieldValue ofText(std::string text) { return {Kind::Text, std::move(text), 0, {}}; }
  static FieldValue ofNumber(double number) { return {Kind::Number, {}, number, {}}; }
  static FieldValue ofDate(std::chrono::year_month_day date) { return {Kind::Date, {}, 0, date}; }
};

// The records to pour into the sheet, read once from the first to the last.
class RecordSource {
 public:
  virtual ~RecordSource() = default;
  virtual std::vector<std::string> fieldNames() const = 0;
  // Moves to the next record (the first one on the first call); false after the last.
  virtual bool next() = 0;
  virtual FieldValue field(std::size_t index) const = 0;
};

// The record row, or 0 when the sheet has no "#DBF" cell. Does not change the sheet.
int findRecordRow(const Worksheet& sheet);

// Repeats the record row once per record and deletes it. Returns the number of rows
// written; a sheet without a record row is left as it is and gives 0.
int fillRecordRows(Worksheet& sheet, RecordSource& records);

}  // namespace sheet
