#include "store/sql_helpers.h"

#include "store/day_number.h"
#include "store/engine/sql_text.h"
#include "store/store_error.h"

#include <QDir>

namespace dajdor::sql {

QString tablePath(const QString& dir, const QString& file) { return QDir(dir).filePath(file); }

QString table(const QString& path) { return QString::fromStdString(engine::sql::table(path.toStdString())); }

QString table(const QString& dir, const QString& file) { return table(tablePath(dir, file)); }

QString quote(const QString& text) { return QString::fromStdString(engine::sql::quote(text.toStdString())); }

QString number(std::int64_t value) { return QString::fromStdString(engine::sql::number(value)); }

QString number(double value, int decimals) { return QString::fromStdString(engine::sql::number(value, decimals)); }

QString date(const QDate& day) {
  if (!day.isValid()) return QStringLiteral("NULL");
  return QString::fromStdString(engine::sql::quoteDate(dayNumber(day)));
}

std::int64_t execute(engine::Database& db, const QString& statement) { return db.execute(statement.toStdString()); }

std::unique_ptr<engine::ResultSet> query(engine::Database& db, const QString& statement) {
  return db.query(statement.toStdString());
}

std::int64_t scalar(engine::Database& db, const QString& statement) {
  const auto rows = query(db, statement);
  if (rows->isEmpty() || rows->columnCount() == 0) return 0;
  return rows->value(0, 0).toInt();
}

QString message(const std::exception& e) {
  if (const auto* store = dynamic_cast<const StoreError*>(&e)) return store->message();
  return QString::fromUtf8(e.what());
}

}  // namespace dajdor::sql
