// Brings the tables of an older layout to the current one, at every local start
// after CreateTables. All checks are made first, then the repairs run in a fixed
// order. The engine changes a table's structure only outside transactions, so
// each repair is a few units of work (one structure change, or a transaction
// of row changes) ordered so that an interrupted repair is taken up again by
// the next start: fields are added only when missing, starting values go only
// to empty fields, and what calls for the repair is removed last.
#pragma once

#include "store/engine/database.h"
#include "store/interaction.h"
#include "store/version.h"

#include <QString>
#include <QStringList>

namespace dajdor {

struct UpgradeResult {
  bool databaseEmpty = false;  // Gospodar.dbf has no rows
  QStringList repairs;         // names of the repairs that ran and succeeded
};

// Repairs that fail are reported through `ui` and the others still run.
UpgradeResult UpgradeTables(engine::Database& db, const QString& dataDir, Interaction& ui, int workYear = kWorkYear);

// True when Gospodar.dbf has no rows. False when it cannot be read: a table
// that is only unreadable must not look like a new installation.
bool DatabaseEmpty(engine::Database& db, const QString& dataDir);

}  // namespace dajdor
