// The balance of the taxpayer in the collections window together with its work
// tables, and the amounts the cashier enters on its lines. Every entered amount
// goes through the rules of paid_amounts.h and is written to the work table at
// once, so what the grid shows, what the work table holds and what the receipt
// will settle are the same.
#pragma once

#include "collect/balance.h"
#include "collect/work_tables.h"

#include <QDate>

namespace dajdor::collect {

class CollectionSheet {
 public:
  // Work tables in `programFolder`; throws StoreError when no name is free.
  CollectionSheet(const BalanceSource& source, const QString& programFolder);

  // Reads the stored tables anew and writes the three work tables; every
  // entered amount is discarded. Throws engine::Error when a table cannot be read.
  void BuildBalance(bool noPenalties, const QDate& calcDate, bool naturalPerson, std::int64_t IDGOS);
  // No taxpayer: empty tables.
  void clear();

  const Balance& balance() const { return balance_; }
  WorkTables& workTables() { return tables_; }
  int rowCount(WorkTable table) const;
  std::int64_t due(WorkTable table, int row) const;
  std::int64_t paid(WorkTable table, int row) const;

  // The cashier typed `typed` on a line; returns the amount that stays entered.
  std::int64_t enterPaid(WorkTable table, int row, std::int64_t typed);
  // Double-click: the whole amount due, or back to 0.
  std::int64_t togglePaid(WorkTable table, int row);
  // The group a debit is paid under on the receipt; a blank group is refused
  // (false) and the line keeps its previous group.
  bool setDebitGroup(int row, const QString& group);
  // The document number of a line of "Taxe" or "Debite".
  void setNumber(WorkTable table, int row, std::int64_t number);

  // "Valoare chitanta": the sum of every entered amount.
  std::int64_t receiptValue() const;

 private:
  std::int64_t& paidRef(WorkTable table, int row);
  void storePaid(WorkTable table, int row, std::int64_t amount);

  BalanceSource source_;
  WorkTables tables_;
  Balance balance_;
};

}  // namespace dajdor::collect
