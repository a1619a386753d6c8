#include "sheet/record_rows.h"

#include "sheet/cell_text.h"

#include <optional>

namespace sheet {
namespace {

constexpr std::string_view kRecordMarker = "#DBF";

bool isMarker(const Worksheet& sheet, int row, int column, std::string_view marker) {
  return sheet.value(row, column).kind == CellValue::Kind::Text && sheet.formula(row, column).empty() &&
         markerKey(sheet.text(row, column)) == marker;
}

// What a column of the record row receives.
struct Slot {
  int column = 0;
  std::optional<std::size_t> field;  // none: the running number
};

std::vector<Slot> slotsOf(const Worksheet& sheet, int row, const std::vector<std::string>& fields) {
  std::vector<Slot> slots;
  const int lastColumn = sheet.lastColumn();
  for (int column = 1; column <= lastColumn; ++column) {
    if (sheet.value(row, column).kind != CellValue::Kind::Text || !sheet.formula(row, column).empty()) continue;
    const std::string text = markerKey(sheet.text(row, column));
    if (text == "%NRCRT" || text == "#NRCRT") {
      slots.push_back(Slot{column, std::nullopt});
      continue;
    }
    if (text.size() < 2 || text.front() != '#') continue;
    for (std::size_t i = 0; i < fields.size(); ++i)
      if (markerKey(fields[i]) == text.substr(1)) {
        slots.push_back(Slot{column, i});
        break;
      }
  }
  return slots;
}

void write(Worksheet& sheet, int row, int column, const FieldValue& value) {
  switch (value.kind) {
    case FieldValue::Kind::Text:
      if (value.text.empty()) sheet.clear(row, column);
      else sheet.setText(row, column, value.text);
      return;
    case FieldValue::Kind::Number:
      if (value.number == 0) sheet.clear(row, column);
      else sheet.setNumber(row, column, value.number);
      return;
    case FieldValue::Kind::Date:
      sheet.setDate(row, column, value.date);
      return;
    case FieldValue::Kind::Null:
      sheet.clear(row, column);
      return;
  }
}

std::vector<CellAddress> recordMarkers(const Worksheet& sheet) {
  std::vector<CellAddress> found;
  const int lastRow = sheet.lastRow(), lastColumn = sheet.lastColumn();
  for (int row = 1; row <= lastRow; ++row)
    for (int column = 1; column <= lastColumn; ++column)
      if (isMarker(sheet, row, column, kRecordMarker)) found.push_back(CellAddress{row, column});
  return found;
}

}  // namespace

int findRecordRow(const Worksheet& sheet) {
  const std::vector<CellAddress> markers = recordMarkers(sheet);
  return markers.empty() ? 0 : markers.back().row;
}

int fillRecordRows(Worksheet& sheet, RecordSource& records) {
  const std::vector<CellAddress> markers = recordMarkers(sheet);
  if (markers.empty()) return 0;
  const int recordRow = markers.back().row;
  for (const CellAddress& at : markers) sheet.clear(at.row, at.column);

  const std::vector<Slot> slots = slotsOf(sheet, recordRow, records.fieldNames());
  // Read first, then insert every copy at once: one pass over the formulas instead
  // of one per record.
  std::vector<std::vector<FieldValue>> values;
  while (records.next()) {
    std::vector<FieldValue> line;
    line.reserve(slots.size());
    for (const Slot& slot : slots) line.push_back(slot.field ? records.field(*slot.field) : FieldValue{});
    values.push_back(std::move(line));
  }
  const int count = static_cast<int>(values.size());
  if (count > 0) sheet.insertRowCopies(recordRow, 1, recordRow, count);
  for (int k = 0; k < count; ++k) {
    const int row = recordRow + k;
    for (std::size_t s = 0; s < slots.size(); ++s) {
      if (slots[s].field) write(sheet, row, slots[s].column, values[static_cast<std::size_t>(k)][s]);
      else sheet.setNumber(row, slots[s].column, k + 1);
    }
  }
  sheet.deleteRows(recordRow + count, 1);
  return count;
}

}  // namespace sheet
