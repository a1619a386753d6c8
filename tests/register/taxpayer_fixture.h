// A fresh data directory for each register test, made by the program's own
// table creation, with small helpers to add taxpayers and read tables back.
#pragma once

#include "admin/rates.h"
#include "register/taxpayer.h"
#include "store/engine/database.h"
#include "store/scripted_interaction.h"
#include "store/settings_file.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace dajdor::testing {

class TaxpayerTest : public ::testing::Test {
 protected:
  void SetUp() override;

  QString dataDir() const { return dir_.filePath("Data"); }
  QString dataFile(const QString& name) const { return dataDir() + "/" + name; }
  // Every row of a statement, the columns of each row joined by '|', blanks
  // at the end of a text removed. "%1" in the statement is the quoted path of `table`.
  QStringList rows(const QString& select, const QString& table);
  // A taxpayer added as the editor stores him.
  std::int64_t add(const QString& village, const QString& role, const QString& name, const QString& code = {});
  static reg::Taxpayer person(const QString& village, const QString& role, const QString& name,
                              const QString& code = {});
  // Runs a statement on `table` ("%1" is its quoted path).
  void exec(const QString& statement, const QString& table);

  QTemporaryDir dir_;
  std::unique_ptr<engine::Database> db_;
  std::unique_ptr<SettingsFile> settings_;
  admin::Rates rates_;
  ScriptedInteraction ui_;
};

}  // namespace dajdor::testing
