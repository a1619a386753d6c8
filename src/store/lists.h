// Lists the windows offer in their combos, and the budget code of a tax group,
// read from the tables of the data directory.
#pragma once

#include "store/engine/database.h"

#include <QString>
#include <QStringList>

namespace dajdor {

// The distinct non-blank values of `field` in the table file `tablePath`, in
// ascending order, optionally restricted by a WHERE condition (SQL text the
// caller builds with quoted values). The window appends them to its combo.
QStringList DistinctValues(engine::Database& db, const QString& tablePath, const QString& condition,
                           const QString& field);

// The villages of the data directory: the taxpayers' villages in ascending
// order, then the localities of DefZone.dbf not already among them. Throws the
// engine's error when a table cannot be read.
QStringList FillVillageList(engine::Database& db, const QString& dataDir);

// The budget classification code of a tax group for natural (CODCLF) or legal
// (CODCLJ) persons; "" when the group has no row.
QString GroupBudgetCode(engine::Database& db, const QString& dataDir, const QString& group, bool natural);

}  // namespace dajdor
