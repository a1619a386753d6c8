#include "store/create_tables.h"

#include "store/schema.h"
#include "store/sql_helpers.h"

#include <QFileInfo>

#include <functional>

namespace dajdor {
namespace {

using RowWriter = std::function<void(engine::Database&, const QString& tableSql)>;

void createTable(engine::Database& db, const QString& dataDir, const schema::Table& table) {
  sql::execute(db, QStringLiteral("CREATE TABLE %1 %2").arg(sql::table(dataDir, table.file), table.createList()));
}

// Creates the table and writes its first rows as one unit: when the rows fail,
// the table goes again, so it is not left existing but incomplete.
void createFilledTable(engine::Database& db, const QString& dataDir, const schema::Table& table,
                       const RowWriter& writeRows) {
  createTable(db, dataDir, table);
  try {
    engine::Transaction transaction(db);
    writeRows(db, sql::table(dataDir, table.file));
    transaction.commit();
  } catch (...) {
    try {
      sql::execute(db, QStringLiteral("DROP TABLE %1").arg(sql::table(dataDir, table.file)));
    } catch (...) {
    }
    throw;
  }
}

RowWriter iniRowsWriter(const QList<IniRow>& rows) {
  return [rows](engine::Database& db, const QString& tableSql) {
    for (const IniRow& row : rows) {
      sql::execute(db, QStringLiteral("INSERT INTO %1 (FORMA, NUME, VALOARE) VALUES (%2, %3, %4)")
                           .arg(tableSql, sql::quote(row.owner), sql::quote(row.name), sql::quote(row.value)));
    }
  };
}

RowWriter budgetGroupsWriter(SettingsFile& settings) {
  return [&settings](engine::Database& db, const QString& tableSql) {
    for (const DefaultGroup& g : defaultBudgetGroups()) {
      const qint64 id = settings.NextCounter(QStringLiteral("SERVER"), QStringLiteral("IDCOD")).toLongLong();
      sql::execute(db, QStringLiteral("INSERT INTO %1 VALUES(%2,%3,\"\",\"\",%4 )")
                           .arg(tableSql, sql::number(id), sql::quote(g.group), sql::quote(g.kind)));
    }
  };
}

}  // namespace

const QList<DefaultGroup>& defaultBudgetGroups() {
  static const QList<DefaultGroup> groups = {
      {"Impozit pe cladiri", "I"}, {"Impozit pe teren intravilan", "I"}, {"Impozit pe mijloace de transport", "I"},
      {"Impozit pe teren extravilan", "I"}, {"Salubritate", "T"}, {"Concesionari", "T"}, {"Iluminat", "T"},
      {"PSI", "T"}, {"Paza", "T"}, {"Taxa pe pasune", "T"}, {"Vehicule lente", "T"}, {"Auto neinmatriculate", "T"},
  };
  return groups;
}

QStringList CreateTables(engine::Database& db, const QString& dataDir, const QList<IniRow>& iniRows,
                         SettingsFile& settings, Interaction& ui, const QString& modelRoot) {
  QStringList created;
  QStringList failures;
  const auto attempt = [&](const QString& file, const std::function<void()>& make) {
    try {
      make();
      created.append(file);
    } catch (const std::exception& e) {
      failures.append(QStringLiteral("%1: %2").arg(file, sql::message(e)));
    }
  };

  for (const schema::Table& table : schema::tables()) {
    if (!table.createdAtStartup) continue;
    if (!db.tableExists(sql::tablePath(dataDir, table.file).toStdString())) {
      RowWriter firstRows;
      if (table.file == QLatin1String("Ini.dbf")) firstRows = iniRowsWriter(iniRows);
      if (table.file == QLatin1String("CODCL.dbf")) firstRows = budgetGroupsWriter(settings);
      attempt(table.file, [&] {
        if (firstRows) {
          createFilledTable(db, dataDir, table, firstRows);
        } else {
          createTable(db, dataDir, table);
        }
      });
    }
    // The model files come right after the budget codes.
    if (table.file == QLatin1String("CODCL.dbf")) {
      const ModelUpkeepResult models = UpkeepModels(dataDir, modelRoot);
      for (const QString& file : models.written) created.append(QFileInfo(file).fileName());
      for (const QString& file : models.failed) failures.append(QStringLiteral("%1: nu poate fi scris").arg(file));
    }
  }
  if (!failures.isEmpty()) {
    ui.error(QStringLiteral("Creare tabele"),
             QStringLiteral("Nu am putut crea:\r%1\rProgramul continua cu tabelele existente.")
                 .arg(failures.join(QLatin1Char('\r'))));
  }
  return created;
}

}  // namespace dajdor
