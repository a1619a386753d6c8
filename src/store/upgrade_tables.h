// Brings the tables of an older layout to the current one, at every local start
// after CreateTables. All checks are made first, then the repairs run in a fixed
// order; each repair is one unit of work, so a failed repair leaves its tables
// as they were and is tried again at the next start.
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
