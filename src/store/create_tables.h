// Creation of the tables of a data directory that are missing.
#pragma once

#include "store/engine/database.h"
#include "store/ini_row.h"
#include "store/interaction.h"
#include "store/models.h"
#include "store/settings_file.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace dajdor {

// The twelve budget groups CODCL.dbf starts with, and their kind ("I" tax, "T" fee).
struct DefaultGroup {
  QString group;
  QString kind;
};
const QList<DefaultGroup>& defaultBudgetGroups();

// Creates, when missing and in this order: Ini.dbf filled with `iniRows`,
// CODCL.dbf with the twelve groups (identifiers from the counter IDCOD), the
// model files, then every other table of the schema. Existing files are never
// touched. A table that cannot be created is reported through `ui` and the
// others are still created; a table whose first rows cannot be written is
// removed again, so the next start creates it whole. Returns the files made.
QStringList CreateTables(engine::Database& db, const QString& dataDir, const QList<IniRow>& iniRows,
                         SettingsFile& settings, Interaction& ui, const QString& modelRoot = kModelResourceRoot);

}  // namespace dajdor
