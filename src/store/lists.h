// Lists the windows offer in their combos, and the budget code of a tax group,
// read from the tables of the data directory.
#pragma once

#include "store/engine/database.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace dajdor {

// A row condition of the lists: `field` equals the text `value`.
struct FieldEquals {
  QString field;
  QString value;
};

// The distinct non-blank values of `field` in the table file `tablePath`, in
// ascending order, optionally only of the rows meeting every condition. The
// window appends them to its combo.
QStringList distinctValues(engine::Database& db, const QString& tablePath, const QString& field,
                           const QList<FieldEquals>& conditions = {});

// The villages of the data directory: the taxpayers' villages in ascending
// order, then the localities of DefZone.dbf not already among them. Throws the
// engine's error when a table cannot be read.
QStringList FillVillageList(engine::Database& db, const QString& dataDir);

// The budget classification code of a tax group for natural (CODCLF) or legal
// (CODCLJ) persons; "" when the group has no row.
QString GroupBudgetCode(engine::Database& db, const QString& dataDir, const QString& group, bool natural);

}  // namespace dajdor
