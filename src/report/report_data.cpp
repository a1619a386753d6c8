#include "report/report_data.h"

#include "store/engine/database.h"

namespace dajdor::report {

PlainRows::PlainRows(const QStringList& fields) {
  for (int i = 0; i < fields.size(); ++i) columns_.insert(fields[i].toUpper(), i);
}

void PlainRows::append(const QStringList& values) { rows_.append(values); }

QString PlainRows::value(int row, const QString& field) const {
  const int column = columns_.value(field.toUpper(), -1);
  if (row < 0 || row >= rows_.size() || column < 0) return QString();
  const QStringList& values = rows_[row];
  return column < values.size() ? values[column] : QString();
}

int ResultSetRows::rowCount() const { return static_cast<int>(rows_.rowCount()); }

QString ResultSetRows::value(int row, const QString& field) const {
  const int column = rows_.columnIndex(field.toStdString());
  if (row < 0 || row >= rowCount() || column < 0) return QString();
  return QString::fromStdString(
      rows_.value(static_cast<std::size_t>(row), static_cast<std::size_t>(column)).toString());
}

}  // namespace dajdor::report
