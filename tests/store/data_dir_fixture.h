// A program folder of its own for each test, with the machine settings
// redirected into it and the clock fixed, plus small readers of the tables.
#pragma once

#include "store/engine/database.h"
#include "store/ini_row.h"
#include "store/scripted_interaction.h"
#include "store/startup.h"

#include <QDate>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dajdor::testing {

class DataDirTest : public ::testing::Test {
 protected:
  void SetUp() override;

  QString appDir() const { return dir_.path(); }
  QString dataDir() const { return dir_.filePath("Data"); }
  QString dataFile(const QString& name) const { return dataDir() + "/" + name; }

  // A small stand-in for the administration's catalogue.
  static QList<IniRow> fakeIniRows();
  StartupResult start(const QDate& day);

  // Every row of a statement, the columns of each row joined by '|'.
  static QStringList rows(engine::Database& db, const QString& select);
  // The fields of a table as "NAME type length.decimals".
  static QStringList layout(engine::Database& db, const QString& tablePath);

  QTemporaryDir dir_;
  ScriptedInteraction ui_;
};

}  // namespace dajdor::testing
