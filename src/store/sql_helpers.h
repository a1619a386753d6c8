// The program's one way of putting values into statement text: table paths of
// the data directory, text, numbers and dates, over the engine's quoting. No
// value reaches a statement any other way. Also engine failures as user messages.
#pragma once

#include "store/engine/database.h"

#include <QDate>
#include <QString>

#include <exception>
#include <memory>

namespace dajdor::sql {

// The file of a table in a directory, as statements and cursors name it.
QString tablePath(const QString& dir, const QString& file);
// "\"<dir>/<file>\"" for FROM, INTO, UPDATE and CREATE TABLE.
QString table(const QString& dir, const QString& file);
// The same for a table named by its full path.
QString table(const QString& path);
// A text value in double quotes, embedded quotes doubled.
QString quote(const QString& text);
// A whole number: 12, -3.
QString number(std::int64_t value);
// A number with exactly `decimals` decimals and '.' as the point: 1.5000.
QString number(double value, int decimals);
// A date as the dialect reads it: "dd.MM.yyyy"; NULL for an invalid date.
QString date(const QDate& day);

std::int64_t execute(engine::Database& db, const QString& statement);
std::unique_ptr<engine::ResultSet> query(engine::Database& db, const QString& statement);
// The first column of the first row as a whole number (0 when empty or NULL).
std::int64_t scalar(engine::Database& db, const QString& statement);

// The text of a failure for the user.
QString message(const std::exception& e);

}  // namespace dajdor::sql
