#include "sheet/worksheet.h"

#include "sheet/area_list.h"
#include "sheet/cell_address.h"
#include "sheet/cell_text.h"
#include "sheet/cell_styles.h"
#include "sheet/day_serial.h"
#include "sheet/sheet_error.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace sheet {
namespace {

std::string numberText(double number) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, number);
  return ec == std::errc() ? std::string(buffer, end) : std::string();
}

}  // namespace

Worksheet::Worksheet(std::string name, std::string part, CellStyles& styles, bool system1904)
    : name_(std::move(name)), part_(std::move(part)), styles_(styles), system1904_(system1904) {}

int Worksheet::Row::findLastContent() const {
  for (int column = static_cast<int>(cells.size()); column >= 1; --column)
    if (cells[static_cast<std::size_t>(column - 1)].hasContent()) return column;
  return 0;
}

int Worksheet::lastRow() const {
  for (int row = static_cast<int>(rows_.size()); row >= 1; --row)
    if (rows_[static_cast<std::size_t>(row - 1)].lastContent > 0) return row;
  return 0;
}

int Worksheet::lastColumn() const { return lastColumns_.empty() ? 0 : lastColumns_.rbegin()->first; }

void Worksheet::countLastColumn(int column, int delta) {
  if (column <= 0) return;
  if ((lastColumns_[column] += delta) <= 0) lastColumns_.erase(column);
}

void Worksheet::contentChanged(int row) {
  Row& line = rows_[static_cast<std::size_t>(row - 1)];
  const int now = line.findLastContent();
  if (now == line.lastContent) return;
  countLastColumn(line.lastContent, -1);
  countLastColumn(now, 1);
  line.lastContent = now;
}

void Worksheet::recountLastColumns() {
  lastColumns_.clear();
  for (Row& row : rows_) {
    row.lastContent = row.findLastContent();
    countLastColumn(row.lastContent, 1);
  }
}

const Cell* Worksheet::cellAt(int row, int column) const {
  if (row < 1 || column < 1 || row > static_cast<int>(rows_.size())) return nullptr;
  const Row& line = rows_[static_cast<std::size_t>(row - 1)];
  if (column > static_cast<int>(line.cells.size())) return nullptr;
  return &line.cells[static_cast<std::size_t>(column - 1)];
}

Cell& Worksheet::cellFor(int row, int column) {
  if (row < 1 || row > kMaxRow || column < 1 || column > kMaxColumn)
    throw Error("Celula (" + std::to_string(row) + ", " + std::to_string(column) + ") este in afara foii " + name_ +
                ".");
  if (static_cast<int>(rows_.size()) < row) rows_.resize(static_cast<std::size_t>(row));
  std::vector<Cell>& cells = rows_[static_cast<std::size_t>(row - 1)].cells;
  if (static_cast<int>(cells.size()) < column) cells.resize(static_cast<std::size_t>(column));
  return cells[static_cast<std::size_t>(column - 1)];
}

CellValue Worksheet::value(int row, int column) const {
  const Cell* cell = cellAt(row, column);
  return cell ? cell->value : CellValue{};
}

std::string Worksheet::text(int row, int column) const {
  const CellValue shown = value(row, column);
  switch (shown.kind) {
    case CellValue::Kind::Number: return numberText(shown.number);
    case CellValue::Kind::Boolean: return shown.number != 0 ? "TRUE" : "FALSE";
    case CellValue::Kind::Text:
    case CellValue::Kind::Error: return shown.text;
    case CellValue::Kind::Empty: break;
  }
  return {};
}

std::optional<double> Worksheet::number(int row, int column) const {
  const CellValue shown = value(row, column);
  if (shown.kind == CellValue::Kind::Number || shown.kind == CellValue::Kind::Boolean) return shown.number;
  return std::nullopt;
}

std::optional<std::chrono::year_month_day> Worksheet::date(int row, int column) const {
  const auto serial = number(row, column);
  if (!serial) return std::nullopt;
  return dateFromSerial(*serial, system1904_);
}

std::string Worksheet::formula(int row, int column) const {
  const Cell* cell = cellAt(row, column);
  return cell && cell->formula ? cell->formula->text(row, column) : std::string();
}

int Worksheet::style(int row, int column) const {
  const Cell* cell = cellAt(row, column);
  return cell ? cell->style : 0;
}

Cell& Worksheet::emptied(int row, int column) {
  Cell& cell = cellFor(row, column);
  cell.value = CellValue{};
  cell.richString = -1;
  cell.formula.reset();
  cell.arrayRange.clear();
  return cell;
}

void Worksheet::setText(int row, int column, std::string_view text) {
  emptied(row, column).value = CellValue{CellValue::Kind::Text, 0, std::string(text)};
  contentChanged(row);
}

void Worksheet::setNumber(int row, int column, double number) {
  emptied(row, column).value = CellValue{CellValue::Kind::Number, number, {}};
  contentChanged(row);
}

void Worksheet::setDate(int row, int column, std::chrono::year_month_day date) {
  setNumber(row, column, daySerial(date, system1904_));
  Cell& cell = cellFor(row, column);
  cell.style = styles_.dateStyle(cell.style);
}

void Worksheet::setFormula(int row, int column, std::string_view formula) {
  if (!formula.empty() && formula.front() == '=') formula.remove_prefix(1);
  Cell& cell = emptied(row, column);
  cell.formula = Formula(formula, row, column);
  noteFormula(row, *cell.formula);
  contentChanged(row);
}

void Worksheet::noteFormula(int row, const Formula& formula) {
  if (formula.reachesOtherRows()) markReaching(row);
}

void Worksheet::markReaching(int row) {
  if (static_cast<int>(reaching_.size()) < row) reaching_.resize(static_cast<std::size_t>(row));
  reaching_[static_cast<std::size_t>(row - 1)] = 1;
}

void Worksheet::setStyle(int row, int column, int style) { cellFor(row, column).style = style; }

void Worksheet::clear(int row, int column) {
  if (!cellAt(row, column)) return;
  emptied(row, column);
  contentChanged(row);
}

void Worksheet::change(const GridChange& change) {
  const int limit = change.axis == Axis::Rows ? kMaxRow : kMaxColumn;
  if (change.at < 1 || change.count < 1 || change.at > limit || change.count > limit - change.at + 1)
    throw Error("Operatie in afara foii " + name_ + ": " + std::string(change.deletion ? "stergere" : "inserare") +
                " de la " + std::to_string(change.at) + ", " + std::to_string(change.count) + ".");
  // As in the programs, an insertion that would push cells off the grid is refused.
  if (!change.deletion) {
    const int used = change.axis == Axis::Rows ? lastRow() : lastColumn();
    if (used > limit - change.count)
      throw Error("Foaia " + name_ + " nu mai are loc pentru inca " + std::to_string(change.count) +
                  (change.axis == Axis::Rows ? " randuri." : " coloane."));
  }
  // Formulas follow while they still stand where they stood before the change.
  followChange(change, name_);
  moveCells(change);
  if (listener_) listener_(change);
}

void Worksheet::moveCells(const GridChange& change) {
  const auto at = static_cast<std::size_t>(change.at - 1);
  const auto count = static_cast<std::size_t>(change.count);
  const auto shiftLine = [&](auto& items, std::size_t limit) {
    if (at >= items.size()) return;
    if (change.deletion) {
      items.erase(items.begin() + static_cast<std::ptrdiff_t>(at),
                  items.begin() + static_cast<std::ptrdiff_t>(std::min(items.size(), at + count)));
    } else {
      items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), count, {});
      if (items.size() > limit) items.resize(limit);
    }
  };
  if (change.axis == Axis::Rows) {
    if (change.deletion)
      for (std::size_t r = at; r < std::min(rows_.size(), at + count); ++r) countLastColumn(rows_[r].lastContent, -1);
    shiftLine(rows_, kMaxRow);
    shiftLine(reaching_, kMaxRow);
  } else {
    for (Row& row : rows_) shiftLine(row.cells, kMaxColumn);
    recountLastColumns();
  }
}

void Worksheet::followChange(const GridChange& change, std::string_view changedSheet) {
  const bool own = sameSheetName(changedSheet, name_);
  // Only a column change of this sheet can alter a formula that refers to its own row.
  const bool everyRow = own && change.axis == Axis::Columns;
  const std::size_t rows = everyRow ? rows_.size() : std::min(rows_.size(), reaching_.size());
  for (std::size_t r = 0; r < rows; ++r) {
    if (!everyRow) {
      const void* next = std::memchr(reaching_.data() + r, 1, rows - r);
      if (!next) break;
      r = static_cast<std::size_t>(static_cast<const char*>(next) - reaching_.data());
    }
    std::vector<Cell>& cells = rows_[r].cells;
    for (std::size_t c = 0; c < cells.size(); ++c) {
      Cell& cell = cells[c];
      if (cell.formula && cell.formula->hasReferences())
        cell.formula->follow(change, changedSheet, name_, static_cast<int>(r + 1), static_cast<int>(c + 1));
      if (own && cell.arrayRange.find(':') != std::string::npos) cell.arrayRange = followAreaList(cell.arrayRange, change);
    }
  }
  followLayout(change, changedSheet);
}

void Worksheet::insertRows(int at, int count) { change(GridChange{Axis::Rows, at, count, false}); }
void Worksheet::deleteRows(int first, int count) { change(GridChange{Axis::Rows, first, count, true}); }
void Worksheet::insertColumns(int at, int count) { change(GridChange{Axis::Columns, at, count, false}); }
void Worksheet::deleteColumns(int first, int count) { change(GridChange{Axis::Columns, first, count, true}); }

void Worksheet::insertRowCopies(int firstSource, int sourceCount, int at, int times) {
  insertCopies(Axis::Rows, firstSource, sourceCount, at, times);
}

void Worksheet::insertColumnCopies(int firstSource, int sourceCount, int at, int times) {
  insertCopies(Axis::Columns, firstSource, sourceCount, at, times);
}

void Worksheet::insertCopies(Axis axis, int firstSource, int sourceCount, int at, int times) {
  const int limit = axis == Axis::Rows ? kMaxRow : kMaxColumn;
  if (sourceCount < 1 || times < 1 || firstSource < 1 || firstSource > limit - sourceCount + 1 ||
      (firstSource < at && at < firstSource + sourceCount) || sourceCount > limit / times)
    throw Error("Copiere imposibila in foaia " + name_ + ": " + std::to_string(sourceCount) + " x " +
                std::to_string(times) + " de la " + std::to_string(firstSource) + " la " + std::to_string(at) + ".");
  const int inserted = sourceCount * times;
  change(GridChange{axis, at, inserted, false});
  const int source = firstSource >= at ? firstSource + inserted : firstSource;
  for (int k = 0; k < times; ++k)
    for (int j = 0; j < sourceCount; ++j) copyLine(axis, source + j, at + k * sourceCount + j);
  copyLayout(axis, source, sourceCount, at, times);
}

void Worksheet::copyLine(Axis axis, int from, int to) {
  if (axis == Axis::Rows) {
    if (from > static_cast<int>(rows_.size())) return;
    // Anchored formulas need no translation: their relative parts are distances.
    Row copy = rows_[static_cast<std::size_t>(from - 1)];
    if (static_cast<int>(rows_.size()) < to) rows_.resize(static_cast<std::size_t>(to));
    Row& target = rows_[static_cast<std::size_t>(to - 1)];
    countLastColumn(target.lastContent, -1);
    countLastColumn(copy.lastContent, 1);
    target = std::move(copy);
    if (from <= static_cast<int>(reaching_.size()) && reaching_[static_cast<std::size_t>(from - 1)]) markReaching(to);
    return;
  }
  for (int row = 1; row <= static_cast<int>(rows_.size()); ++row) {
    const Cell* source = cellAt(row, from);
    if (!source) continue;
    Cell copy = *source;
    cellFor(row, to) = std::move(copy);
    contentChanged(row);
  }
}

void Worksheet::sortRows(int first, int last, int keyColumn) {
  if (first < 1 || last < first || last > kMaxRow || keyColumn < 1 || keyColumn > kMaxColumn)
    throw Error("Sortare imposibila in foaia " + name_ + ".");
  if (static_cast<int>(rows_.size()) < last) rows_.resize(static_cast<std::size_t>(last));
  struct Moved {
    int from;
    std::string key;
  };
  std::vector<Moved> order;
  for (int row = first; row <= last; ++row) order.push_back(Moved{row, markerKey(text(row, keyColumn))});
  std::stable_sort(order.begin(), order.end(), [](const Moved& a, const Moved& b) { return a.key < b.key; });
  // Anchored formulas move with their rows and keep referring to their own row.
  if (static_cast<int>(reaching_.size()) < last) reaching_.resize(static_cast<std::size_t>(last));
  std::vector<Row> sorted;
  std::vector<char> sortedReaching;
  sorted.reserve(order.size());
  for (const Moved& moved : order) {
    sorted.push_back(std::move(rows_[static_cast<std::size_t>(moved.from - 1)]));
    sortedReaching.push_back(reaching_[static_cast<std::size_t>(moved.from - 1)]);
  }
  std::move(sorted.begin(), sorted.end(), rows_.begin() + (first - 1));
  std::copy(sortedReaching.begin(), sortedReaching.end(), reaching_.begin() + (first - 1));
}

std::vector<CellAddress> Worksheet::markerCells(std::string_view marker) const {
  const std::string wanted = markerKey(marker);
  std::vector<CellAddress> found;
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    for (std::size_t c = 0; c < rows_[r].cells.size(); ++c) {
      const Cell& cell = rows_[r].cells[c];
      if (!cell.formula && cell.value.kind == CellValue::Kind::Text && markerKey(cell.value.text) == wanted)
        found.push_back(CellAddress{static_cast<int>(r + 1), static_cast<int>(c + 1)});
    }
  }
  return found;
}

int Worksheet::replaceMarker(std::string_view marker, std::string_view text) {
  const std::vector<CellAddress> cells = markerCells(marker);
  for (const CellAddress& at : cells) setText(at.row, at.column, text);
  return static_cast<int>(cells.size());
}

int Worksheet::replaceMarkerNumber(std::string_view marker, double number) {
  const std::vector<CellAddress> cells = markerCells(marker);
  for (const CellAddress& at : cells) setNumber(at.row, at.column, number);
  return static_cast<int>(cells.size());
}

}  // namespace sheet
