#include "store/lists.h"

#include "store/sql_helpers.h"

namespace dajdor {

QStringList distinctValues(engine::Database& db, const QString& tablePath, const QString& field,
                           const QList<FieldEquals>& conditions) {
  QString statement = QStringLiteral("SELECT DISTINCT %1 FROM %2").arg(field, sql::table(tablePath));
  QStringList where;
  for (const FieldEquals& c : conditions) where.append(c.field + QLatin1Char('=') + sql::quote(c.value));
  if (!where.isEmpty()) statement += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
  statement += QStringLiteral(" ORDER BY ") + field;
  const auto rows = sql::query(db, statement);
  QStringList values;
  for (std::size_t row = 0; row < rows->rowCount(); ++row) {
    const QString value = QString::fromStdString(rows->value(row, 0).toString());
    if (!value.trimmed().isEmpty()) values.append(value);
  }
  return values;
}

QStringList FillVillageList(engine::Database& db, const QString& dataDir) {
  QStringList villages =
      distinctValues(db, sql::tablePath(dataDir, QStringLiteral("Gospodar.dbf")), QStringLiteral("SATUL"));
  const auto localities =
      sql::query(db, QStringLiteral("SELECT LOCALIT FROM %1 ORDER BY LOCALIT").arg(sql::table(dataDir, QStringLiteral("DefZone.dbf"))));
  for (std::size_t row = 0; row < localities->rowCount(); ++row) {
    const QString locality = QString::fromStdString(localities->value(row, 0).toString());
    if (locality.trimmed().isEmpty()) continue;
    // Compared exactly: the list decides which villages' rows the daily
    // maintenance keeps, so two spellings both stay.
    if (!villages.contains(locality)) villages.append(locality);
  }
  return villages;
}

QString GroupBudgetCode(engine::Database& db, const QString& dataDir, const QString& group, bool natural) {
  const auto rows = sql::query(db, QStringLiteral("SELECT * FROM %1 WHERE GRUPA=%2")
                                       .arg(sql::table(dataDir, QStringLiteral("CODCL.dbf")), sql::quote(group)));
  if (rows->isEmpty()) return QString();
  rows->first();
  return QString::fromStdString(rows->asText(natural ? "CODCLF" : "CODCLJ"));
}

}  // namespace dajdor
