#include "sheet/formula.h"

namespace sheet {
namespace {

bool isNameChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.' || c == '\\' || c == '$' || c == '?' || u >= 0x80;
}

// Position after the quoted run starting at `pos` (quote doubled inside).
std::size_t skipQuoted(std::string_view text, std::size_t pos, char quote) {
  std::size_t i = pos + 1;
  while (i < text.size()) {
    if (text[i] == quote) {
      if (i + 1 < text.size() && text[i + 1] == quote) {
        i += 2;
        continue;
      }
      return i + 1;
    }
    ++i;
  }
  return text.size();
}

std::size_t skipBrackets(std::string_view text, std::size_t pos) {
  int depth = 0;
  for (std::size_t i = pos; i < text.size(); ++i) {
    if (text[i] == '[') ++depth;
    else if (text[i] == ']' && --depth == 0) return i + 1;
  }
  return text.size();
}

std::string unquoteSheet(std::string_view quoted) {
  std::string name;
  for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
    name += quoted[i];
    if (quoted[i] == '\'' && quoted[i + 1] == '\'') ++i;
  }
  return name;
}

// The stored reference placed at the anchor: absolute coordinates, broken when a
// relative part falls off the grid.
Reference placed(Reference ref, int row, int column) {
  if (ref.broken || (row == 0 && column == 0)) return ref;
  ref.translate(row, column);
  return ref;
}

Reference anchored(Reference ref, int row, int column) {
  if (ref.broken || (row == 0 && column == 0)) return ref;
  const bool rows = ref.shape != Reference::Shape::Columns;
  const bool columns = ref.shape != Reference::Shape::Rows;
  if (rows && !ref.absRow1) ref.row1 -= row;
  if (rows && !ref.absRow2) ref.row2 -= row;
  if (columns && !ref.absColumn1) ref.column1 -= column;
  if (columns && !ref.absColumn2) ref.column2 -= column;
  return ref;
}

void moveAnchor(const GridChange& change, int& row, int& column) {
  int& index = change.axis == Axis::Rows ? row : column;
  if (index == 0) return;
  if (!change.deletion && index >= change.at) index += change.count;
  else if (change.deletion && index >= change.at + change.count) index -= change.count;
}

bool sameReference(const Reference& a, const Reference& b) {
  return a.broken == b.broken && a.row1 == b.row1 && a.row2 == b.row2 && a.column1 == b.column1 &&
         a.column2 == b.column2;
}

}  // namespace

bool sameSheetName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

void Formula::addText(std::string_view text) {
  if (text.empty()) return;
  if (pieces_.empty() || pieces_.back().isReference) pieces_.push_back(Piece{});
  pieces_.back().text += text;
}

Formula::Formula(std::string_view text, int row, int column) {
  bool foreignNext = false;  // a "[n]" workbook prefix was just read
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"') {
      const std::size_t end = skipQuoted(text, i, '"');
      addText(text.substr(i, end - i));
      i = end;
      continue;
    }
    if (c == '[') {
      const std::size_t end = skipBrackets(text, i);
      addText(text.substr(i, end - i));
      foreignNext = true;
      i = end;
      continue;
    }
    if (c == '#') {  // error values such as #REF! or #N/A
      std::size_t end = i + 1;
      while (end < text.size() && (isNameChar(text[end]) || text[end] == '/' || text[end] == '!')) ++end;
      addText(text.substr(i, end - i));
      i = end;
      continue;
    }
    if (c == '\'' || isNameChar(c)) {
      // A sheet prefix, a reference, or a name (function, defined name, number, TRUE).
      std::size_t wordEnd = i;
      if (c == '\'') {
        wordEnd = skipQuoted(text, i, '\'');
      } else {
        while (wordEnd < text.size() && isNameChar(text[wordEnd])) ++wordEnd;
      }
      std::size_t refStart = i;
      Piece piece;
      if (wordEnd < text.size() && text[wordEnd] == '!') {
        const std::string_view word = text.substr(i, wordEnd - i);
        piece.text = std::string(text.substr(i, wordEnd + 1 - i));
        piece.sheet = c == '\'' ? unquoteSheet(word) : std::string(word);
        piece.foreign = foreignNext || piece.sheet.find(':') != std::string::npos;
        refStart = wordEnd + 1;
      } else if (c == '\'') {
        addText(text.substr(i, wordEnd - i));
        i = wordEnd;
        foreignNext = false;
        continue;
      } else {
        piece.foreign = foreignNext;
      }
      foreignNext = false;
      std::size_t refEnd = 0;
      if (parseReferenceAt(text, refStart, piece.reference, refEnd)) {
        piece.isReference = true;
        pieces_.push_back(std::move(piece));
        ++references_;
        i = refEnd;
        continue;
      }
      // Not a reference: keep the prefix (a sheet-level name) and the word as text.
      if (refStart != i) {
        addText(text.substr(i, refStart - i));
        i = refStart;
        continue;
      }
      addText(text.substr(i, wordEnd - i));
      i = wordEnd;
      continue;
    }
    addText(text.substr(i, 1));
    ++i;
  }
  for (Piece& piece : pieces_)
    if (piece.isReference) piece.reference = anchored(piece.reference, row, column);
  classify();
}

void Formula::classify() {
  reachesOtherRows_ = false;
  for (const Piece& piece : pieces_) {
    if (!piece.isReference || piece.reference.broken) continue;
    const Reference& ref = piece.reference;
    const bool otherRow = ref.shape != Reference::Shape::Columns &&
                          (ref.absRow1 || ref.absRow2 || ref.row1 != 0 || ref.row2 != 0);
    if (!piece.sheet.empty() || otherRow) reachesOtherRows_ = true;
  }
}

std::string Formula::text(int row, int column) const {
  std::string out;
  for (const Piece& piece : pieces_) {
    out += piece.text;
    if (piece.isReference) out += placed(piece.reference, row, column).text();
  }
  return out;
}

bool Formula::follow(const GridChange& change, std::string_view changedSheet, std::string_view ownSheet, int row,
                     int column) {
  const bool ownChanged = !ownSheet.empty() && sameSheetName(ownSheet, changedSheet);
  int newRow = row, newColumn = column;
  if (ownChanged) moveAnchor(change, newRow, newColumn);
  const bool anchorMoved = newRow != row || newColumn != column;
  bool changed = false;
  for (Piece& piece : pieces_) {
    if (!piece.isReference) continue;
    const std::string_view target = piece.sheet.empty() ? ownSheet : std::string_view(piece.sheet);
    const bool targeted = !piece.foreign && !target.empty() && sameSheetName(target, changedSheet);
    if (!targeted && !anchorMoved) continue;
    Reference absolute = placed(piece.reference, row, column);
    const Reference before = absolute;
    if (targeted) absolute.follow(change);
    changed = changed || !sameReference(absolute, before);
    piece.reference = anchored(absolute, newRow, newColumn);
  }
  classify();
  return changed;
}

void Formula::translate(int rows, int columns) {
  for (Piece& piece : pieces_)
    if (piece.isReference) piece.reference.translate(rows, columns);
  classify();
}

}  // namespace sheet
