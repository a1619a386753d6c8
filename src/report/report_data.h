// The rows a report's bands are bound to: the engine's result sets, or plain rows
// a caller fills in memory.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace engine {
class ResultSet;
}

namespace dajdor::report {

class ReportData {
 public:
  virtual ~ReportData() = default;
  virtual int rowCount() const = 0;
  // The display text of a field ("" for a field the rows do not have); numbers
  // with '.' as the decimal point.
  virtual QString value(int row, const QString& field) const = 0;
};

class PlainRows final : public ReportData {
 public:
  explicit PlainRows(const QStringList& fields);
  // Values in the order of the fields; missing ones read as "".
  void append(const QStringList& values);

  int rowCount() const override { return static_cast<int>(rows_.size()); }
  QString value(int row, const QString& field) const override;

 private:
  QHash<QString, int> columns_;  // upper-case field -> column
  QList<QStringList> rows_;
};

// Reads the result set while the report is laid out; it must outlive that.
class ResultSetRows final : public ReportData {
 public:
  explicit ResultSetRows(const engine::ResultSet& rows) : rows_(rows) {}

  int rowCount() const override;
  QString value(int row, const QString& field) const override;

 private:
  const engine::ResultSet& rows_;
};

}  // namespace dajdor::report
