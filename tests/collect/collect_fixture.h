// A program folder with a data directory holding the tables the collections
// window reads, and writers of their rows.
#pragma once

#include "admin/rates.h"
#include "collect/balance.h"
#include "store/engine/database.h"

#include <QDate>
#include <QPair>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace dajdor::testing {

struct StoredTaxpayer {
  std::int64_t idgos = 1;
  QString name = "POPESCU ION";
  QString tip = "FIZICA";
  QString notax = "NU";
  QString village = "DEALU";
  QString rol = "12";
  QString cnp = "1700101123456";
  QString address = "Str. Morii 4";
};

struct StoredBalance {  // a SoldCalc row
  std::int64_t idgos = 1;
  QString group = "Impozit pe cladiri";
  std::int64_t suma = 0, rest = 0, reduc = 0, scutire = 0, dator = 0, depoz = 0, major = 0;
};

struct StoredDebt {  // a Datorii row
  std::int64_t idgos = 1;
  QString group = "Taxa salubrizare";
  std::int64_t suma = 0, rest = 0, reduc = 0;
  QString tip = "M";
  std::int64_t nr = 0;
  QDate from = QDate(2014, 2, 1);
};

struct StoredDebit {  // a Debit row
  std::int64_t idgos = 1;
  QString group = "Impozit pe cladiri";
  QString category = "Cumparare";
  QDate penaltiesFrom = QDate(2014, 3, 31);
  std::int64_t initial = 0, unpaid = 0;
  std::int64_t nr = 0;
};

class CollectTest : public ::testing::Test {
 protected:
  void SetUp() override;

  QString appDir() const { return dir_.path(); }
  QString dataDir() const { return dir_.filePath("Data"); }
  collect::BalanceSource source() { return {*db_, dataDir(), rates_, 2014}; }

  void insert(const QString& file, const QList<QPair<QString, QString>>& values);
  void add(const StoredTaxpayer& t);
  void add(const StoredBalance& b);
  void add(const StoredDebt& d);
  void add(const StoredDebit& d);
  // A receipt line of this year that granted a reduction.
  void addReductionGiven(std::int64_t idgos, const QString& group, const QDate& day);

  QTemporaryDir dir_;
  std::unique_ptr<engine::Database> db_;
  admin::Rates rates_;
  std::int64_t nextId_ = 1;
};

}  // namespace dajdor::testing
