#include "store/row_fields.h"

#include "store/day_number.h"

namespace dajdor {
namespace {

engine::Value valueOf(const engine::RowSource& rows, std::size_t row, std::string_view field) {
  const int column = rows.columnIndex(field);
  return column < 0 ? engine::Value() : rows.value(row, static_cast<std::size_t>(column));
}

}  // namespace

QString rowText(const engine::RowSource& rows, std::size_t row, std::string_view field) {
  const engine::Value value = valueOf(rows, row, field);
  if (value.isNull()) return {};
  QString text = QString::fromStdString(value.toString());
  while (text.endsWith(QLatin1Char(' '))) text.chop(1);
  return text;
}

std::int64_t rowWhole(const engine::RowSource& rows, std::size_t row, std::string_view field) {
  const engine::Value value = valueOf(rows, row, field);
  return value.isNull() ? 0 : value.toInt();
}

QDate rowDate(const engine::RowSource& rows, std::size_t row, std::string_view field) {
  const engine::Value value = valueOf(rows, row, field);
  return value.isNull() ? QDate() : dateOfDay(value.toDay());
}

}  // namespace dajdor
