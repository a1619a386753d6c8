#include "sheet/reference.h"

#include "sheet/cell_address.h"

#include <utility>

namespace sheet {
namespace {

bool isWordChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.' || c == '\\' || c == '$' || u >= 0x80;
}

struct Part {
  enum class Kind { None, Cell, Column, Row } kind = Kind::None;
  int row = 0, column = 0;
  bool absRow = false, absColumn = false;
  std::size_t end = 0;
};

Part readPart(std::string_view text, std::size_t pos) {
  Part part;
  std::size_t i = pos;
  bool firstDollar = false;
  if (i < text.size() && text[i] == '$') {
    firstDollar = true;
    ++i;
  }
  const std::size_t lettersStart = i;
  while (i < text.size() && ((text[i] >= 'A' && text[i] <= 'Z') || (text[i] >= 'a' && text[i] <= 'z'))) ++i;
  const std::size_t letters = i - lettersStart;
  bool secondDollar = false;
  if (letters > 0 && i < text.size() && text[i] == '$') {
    secondDollar = true;
    ++i;
  }
  const std::size_t digitsStart = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  const std::size_t digits = i - digitsStart;
  if (i < text.size() && isWordChar(text[i])) return part;
  const bool function = i < text.size() && text[i] == '(';

  int row = 0;
  if (digits > 0) {
    if (digits > 7 || text[digitsStart] == '0') return part;
    for (std::size_t k = digitsStart; k < i; ++k) row = row * 10 + (text[k] - '0');
    if (row > kMaxRow) return part;
  }
  if (letters > 0) {
    const auto column = columnFromLetters(text.substr(lettersStart, letters));
    if (!column || function) return part;
    part.column = *column;
    part.absColumn = firstDollar;
    if (digits > 0) {
      part.kind = Part::Kind::Cell;
      part.row = row;
      part.absRow = secondDollar;
    } else if (!secondDollar) {
      part.kind = Part::Kind::Column;
    } else {
      return part;
    }
  } else if (digits > 0) {
    part.kind = Part::Kind::Row;
    part.row = row;
    part.absRow = firstDollar;
  }
  part.end = i;
  return part;
}

std::string partText(int row, bool absRow, int column, bool absColumn, bool withRow, bool withColumn) {
  std::string text;
  if (withColumn) {
    if (absColumn) text += '$';
    text += columnLetters(column);
  }
  if (withRow) {
    if (absRow) text += '$';
    text += std::to_string(row);
  }
  return text;
}

// Where index `i` goes when [at, at + count) is inserted; 0 when it falls off the grid.
int afterInsertion(int i, const GridChange& change, int limit) {
  if (i < change.at) return i;
  return i + change.count <= limit ? i + change.count : 0;
}

// Follows one span [first, last] on the changed axis; false when it disappears.
bool followSpan(int& first, int& last, const GridChange& change, int limit) {
  if (!change.deletion) {
    first = afterInsertion(first, change, limit);
    last = afterInsertion(last, change, limit);
    return first != 0 && last != 0;
  }
  const int end = change.at + change.count;  // first index after the deleted ones
  if (first >= change.at && last < end) return false;
  if (first >= end) first -= change.count;
  else if (first >= change.at) first = change.at;
  if (last >= end) last -= change.count;
  else if (last >= change.at) last = change.at - 1;
  return true;
}

bool moveRelative(int& value, bool absolute, int offset, int limit) {
  if (absolute) return true;
  value += offset;
  return value >= 1 && value <= limit;
}

}  // namespace

bool Reference::follow(const GridChange& change) {
  if (broken) return false;
  const bool rows = change.axis == Axis::Rows;
  if (rows && shape == Shape::Columns) return false;
  if (!rows && shape == Shape::Rows) return false;
  int& first = rows ? row1 : column1;
  int& last = rows ? row2 : column2;
  const int before1 = first, before2 = last;
  if (!followSpan(first, last, change, rows ? kMaxRow : kMaxColumn)) {
    broken = true;
    return true;
  }
  return first != before1 || last != before2;
}

bool Reference::translate(int rows, int columns) {
  if (broken || (rows == 0 && columns == 0)) return false;
  bool ok = true;
  if (shape != Shape::Columns && rows != 0) {
    ok = moveRelative(row1, absRow1, rows, kMaxRow) && ok;
    ok = moveRelative(row2, absRow2, rows, kMaxRow) && ok;
  }
  if (shape != Shape::Rows && columns != 0) {
    ok = moveRelative(column1, absColumn1, columns, kMaxColumn) && ok;
    ok = moveRelative(column2, absColumn2, columns, kMaxColumn) && ok;
  }
  if (!ok) broken = true;
  return true;
}

bool Reference::inside(Axis axis, int first, int last) const {
  if (broken) return false;
  if (axis == Axis::Rows) return shape != Shape::Columns && row1 >= first && row2 <= last;
  return shape != Shape::Rows && column1 >= first && column2 <= last;
}

std::string Reference::text() const {
  if (broken) return "#REF!";
  switch (shape) {
    case Shape::Cell:
      return partText(row1, absRow1, column1, absColumn1, true, true);
    case Shape::Area:
      return partText(row1, absRow1, column1, absColumn1, true, true) + ":" +
             partText(row2, absRow2, column2, absColumn2, true, true);
    case Shape::Columns:
      return partText(0, false, column1, absColumn1, false, true) + ":" +
             partText(0, false, column2, absColumn2, false, true);
    case Shape::Rows:
      return partText(row1, absRow1, 0, false, true, false) + ":" + partText(row2, absRow2, 0, false, true, false);
  }
  return {};
}

bool parseReferenceAt(std::string_view text, std::size_t pos, Reference& out, std::size_t& end) {
  const Part first = readPart(text, pos);
  if (first.kind == Part::Kind::None) return false;
  Part second;
  if (first.end < text.size() && text[first.end] == ':') second = readPart(text, first.end + 1);
  const bool paired = second.kind == first.kind;
  if (!paired && first.kind != Part::Kind::Cell) return false;

  Reference ref;
  ref.row1 = first.row;
  ref.column1 = first.column;
  ref.absRow1 = first.absRow;
  ref.absColumn1 = first.absColumn;
  if (!paired) {
    ref.shape = Reference::Shape::Cell;
    ref.row2 = ref.row1;
    ref.column2 = ref.column1;
    ref.absRow2 = ref.absRow1;
    ref.absColumn2 = ref.absColumn1;
    end = first.end;
  } else {
    ref.shape = first.kind == Part::Kind::Cell     ? Reference::Shape::Area
                : first.kind == Part::Kind::Column ? Reference::Shape::Columns
                                                   : Reference::Shape::Rows;
    ref.row2 = second.row;
    ref.column2 = second.column;
    ref.absRow2 = second.absRow;
    ref.absColumn2 = second.absColumn;
    // Spreadsheet programs keep ranges top-left to bottom-right.
    if (ref.row1 > ref.row2) {
      std::swap(ref.row1, ref.row2);
      std::swap(ref.absRow1, ref.absRow2);
    }
    if (ref.column1 > ref.column2) {
      std::swap(ref.column1, ref.column2);
      std::swap(ref.absColumn1, ref.absColumn2);
    }
    end = second.end;
  }
  out = ref;
  return true;
}

bool parseReference(std::string_view text, Reference& out) {
  std::size_t end = 0;
  return parseReferenceAt(text, 0, out, end) && end == text.size();
}

}  // namespace sheet
