// The start-up sequence of the program, without its window: decide the data
// directory of this run, bring it to the current layout, run the daily
// maintenance, write missing model files and prime the identifier counters.
//
// Problems are gathered and told through the Interaction in one message at the
// end (the server connection's message on its own, first), and the sequence
// goes on where it can: the main window appears after any of them. Nothing existing is
// overwritten or deleted except the daily maintenance's own cleanup.
#pragma once

#include "store/engine/database.h"
#include "store/ini_row.h"
#include "store/interaction.h"
#include "store/models.h"
#include "store/paths.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace dajdor {

struct StartupOptions {
  QString appDir;          // the program's folder
  QList<IniRow> iniRows;   // the rows Ini.dbf is created with
  QString modelRoot = kModelResourceRoot;
  // The day the daily maintenance is decided for.
  QDate today;
  // StepProgress(n): advances the start-up progress bar (0..100) by n.
  std::function<void(int)> stepProgress;
  // The start-up window's status line.
  std::function<void(const QString&)> showStatus;
};

struct StartupResult {
  Paths paths;
  bool isLocal = true;
  bool dataDirWritable = false;
  bool dailyMaintenance = false;  // first start of the day on this data directory
  bool databaseEmpty = false;     // Gospodar.dbf has no rows (local runs only)
  QStringList villages;           // taxpayer villages, then the remaining localities
  QStringList createdTables;
  QStringList repairs;
  // Opened on paths.dataDir; null only when that directory cannot be opened.
  std::unique_ptr<engine::Database> database;
};

// The ten tables a shared data directory must hold.
const QStringList& sharedDirectoryTables();

// The counters primed from their tables at every local start: counter, table, field.
struct PrimedCounter {
  QString counter;
  QString table;
  QString field;
};
const QList<PrimedCounter>& primedCounters();

// Runs the sequence; machine settings come from MachineSettings.
StartupResult runStartup(const StartupOptions& options, Interaction& ui);

}  // namespace dajdor
