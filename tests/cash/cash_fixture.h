// A program folder with a data directory holding Chitante and RegCasa, the
// settings file for the counters and the embedded templates, and writers of
// document lines and hand-entered movements.
#pragma once

#include "cash/cash_register.h"
#include "store/engine/database.h"
#include "store/scripted_interaction.h"
#include "store/settings_file.h"
#include "store/qt_printers.h"

#include <QDate>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace dajdor::cash {
inline void PrintTo(const CashRow& r, std::ostream* os) {
  *os << r.IDRC << '|' << r.DATAI.toString("dd.MM.yyyy").toStdString() << '|' << r.DOCJUS.toStdString() << '|'
      << r.PLATIT << '|' << r.INCASAT << '|' << r.INCANUME.toStdString();
}
}  // namespace dajdor::cash

namespace dajdor::testing {

struct DocumentLine {  // a Chitante line
  QDate day;
  QString cashier;
  std::int64_t total = 0;
  QString tip = "C";
};

struct HandMovement {  // a RegCasa row
  std::int64_t idrc = 1;
  QDate day;
  QString document;
  std::int64_t paid = 0;
  std::int64_t received = 0;
  QString cashier;
};

class CashTest : public ::testing::Test {
 protected:
  void SetUp() override;

  QString programDir() const { return dir_.path(); }
  QString dataDir() const { return dir_.filePath("Data"); }
  engine::Database& db() { return *db_; }
  SettingsFile& settings() { return *settings_; }

  void add(const DocumentLine& line);
  void add(const HandMovement& movement);
  // RegCasa's rows as "IDRC|DATAI|DOCJUS|PLATIT|INCASAT|INCANUME", by IDRC.
  QStringList storedMovements();
  cash::CashRegister& openRegister();
  // The work rows of a register opened anew, beside the one open.
  QList<cash::CashRow> reloadedRows();

  ScriptedInteraction interaction;

 private:
  QTemporaryDir dir_;
  std::unique_ptr<engine::Database> db_;
  std::unique_ptr<SettingsFile> settings_;
  std::unique_ptr<cash::CashRegister> register_;
  std::int64_t nextDocument_ = 1;
};

}  // namespace dajdor::testing
