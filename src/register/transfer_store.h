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
#include <string>
#include <unordered_map>
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
  // sums of the four main groups. From what prefetch() read when it holds the
  // taxpayer, else read now.
  TaxpayerFile read(const Taxpayer& taxpayer);
  // Reads the files of a batch with one statement per table, inside the batch's
  // transaction; each is handed out once by read(). Replaces what it read before.
  void prefetch(const QList<Taxpayer>& taxpayers);
  // Drops what prefetch() read (after a rollback it is stale).
  void forget();

  using FieldLimits = std::unordered_map<std::string, engine::FieldDesc>;

  struct Fetched {
    TaxpayerFile file;
    bool missingPage = false;  // some page row is to be created
  };
  // Why the plan cannot be written: the first value that does not fit its field,
  // naming the taxpayer and the field. "" when it can be written.
  QString problem(const TransferPlan& plan, const Taxpayer& taxpayer);
  // Inserts, updates and deletes the rows that changed; new rows get their
  // IDDAT / IDRES here.
  void write(TransferPlan& plan, const Taxpayer& taxpayer);

 private:
  struct Limits {
    FieldLimits debt, balance;
  };
  const QVector<int>& columnsOf(const QString& table, const engine::RowSource& rows);
  void fetch(const QList<Taxpayer>& taxpayers);
  void readPages(const QList<std::int64_t>& ids, const QString& owners);
  const Limits& limits();

  engine::Database& db_;
  QString dataDir_;
  const admin::Rates& rates_;
  int workYear_;
  CounterBlock debtIds_, balanceIds_;
  qint64 idBlock_;
  QHash<QString, QVector<int>> columns_;  // per page table: column of each stored input, in catalogue order
  std::optional<Limits> limits_;
  std::unordered_map<std::int64_t, Fetched> fetched_;
};

}  // namespace dajdor::reg
