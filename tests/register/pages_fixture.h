// A fresh data directory with every table, for the assessment pages: rates with
// a default zone and rank of their own, and helpers to read the page tables.
#pragma once

#include "admin/rates.h"
#include "register/assessment_pages.h"
#include "store/engine/database.h"
#include "store/scripted_interaction.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace dajdor::testing {

class PagesTest : public ::testing::Test {
 protected:
  void SetUp() override;

  QString dataDir() const { return dir_.filePath("Data"); }
  reg::AssessmentFile file() { return {*db_, dataDir(), rates_, 2014}; }
  // A taxpayer in Gospodar.dbf with the empty pages of a new file.
  qint64 addTaxpayer(qint64 idgos, const QString& type = "FIZICA");
  // Every row of a statement, the columns of each row joined by '|'.
  QStringList rows(const QString& select);
  // One column of the taxpayer's row of a page table, as the engine shows it.
  QString column(const QString& table, const QString& field, qint64 idgos);
  int rowCount(const QString& table, qint64 idgos);
  void setSetting(const QString& key, const QString& value);

  QTemporaryDir dir_;
  std::unique_ptr<engine::Database> db_;
  admin::Rates rates_;
  ScriptedInteraction ui_;
};

}  // namespace dajdor::testing
