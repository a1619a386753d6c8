// Reading a taxpayer's file for the debt generation and writing what it
// decided: one object per run, so that column positions, field widths and
// blocks of identifiers are found once and not per taxpayer.
#pragma once

#include "register/debt_transfer.h"
#include "store/counter_block.h"
#include "store/engine/database.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <optional>
#include <vector>

namespace dajdor::reg {

class TransferStore {
 public:
  // Identifiers are reserved `idBlock` at a time.
  TransferStore(engine::Database& db, QString dataDir, SettingsFile& settings, const admin::Rates& rates,
                int workYear = kWorkYear, qint64 idBlock = 1);

  engine::Database& db() { return db_; }
  const QString& dataDir() const { return dataDir_; }

  // The pages (a missing page row is created with its defaults, as the register
  // does when it shows the page), the Datorii and SoldCalc rows and the receipt
  // sums of the four main groups.
  TaxpayerFile read(const Taxpayer& taxpayer);
  // Why the plan cannot be written: the first value that does not fit its field,
  // naming the taxpayer and the field. "" when it can be written.
  QString problem(const TransferPlan& plan, const Taxpayer& taxpayer);
  // Inserts, updates and deletes the rows that changed; new rows get their
  // IDDAT / IDRES here.
  void write(TransferPlan& plan, const Taxpayer& taxpayer);

 private:
  struct Limits {
    std::vector<engine::FieldDesc> debt, balance;
  };
  const QVector<int>& columnsOf(const QString& table, const engine::RowSource& rows);
  void readPages(TaxpayerFile& file);
  const Limits& limits();

  engine::Database& db_;
  QString dataDir_;
  const admin::Rates& rates_;
  int workYear_;
  CounterBlock debtIds_, balanceIds_;
  qint64 idBlock_;
  QHash<QString, QVector<int>> columns_;  // per page table: column of each stored input, in catalogue order
  std::optional<Limits> limits_;
};

}  // namespace dajdor::reg
