// A fresh data directory for each test, made by the program's own table
// creation with the settings catalogue, and the machine settings redirected into it.
#pragma once

#include "admin/rates.h"
#include "admin/settings_store.h"
#include "store/engine/database.h"
#include "store/machine_settings.h"
#include "store/scripted_interaction.h"
#include "store/settings_file.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace dajdor::testing {

class AdminTest : public ::testing::Test {
 protected:
  void SetUp() override;

  QString dataDir() const { return dir_.filePath("Data"); }
  QString dataFile(const QString& name) const { return dataDir() + "/" + name; }
  admin::SettingsStores stores(const QString& user = "ION") {
    return {*db_, *settings_, user, 2014};
  }
  // Every row of a statement, the columns of each row joined by '|'.
  QStringList rows(const QString& select);
  // Runs a statement built from a table file of the data directory: "%1" is its quoted path.
  void exec(const QString& statement, const QString& table);
  // The Ini.dbf value of one input, "<none>" when it has no row.
  QString iniValue(const QString& name);

  QTemporaryDir dir_;
  std::unique_ptr<engine::Database> db_;
  std::unique_ptr<SettingsFile> settings_;
  std::unique_ptr<MachineSettings> machine_;
  ScriptedInteraction ui_;
};

}  // namespace dajdor::testing
