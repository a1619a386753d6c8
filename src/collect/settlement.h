// How the amounts entered on the lines of a balance are settled over arrears,
// penalties, the two installments, the reduction and the deposit, in a fixed
// order, and the new state of every stored row they touch. Pure arithmetic on
// whole lei (ratios kept to four decimals): nothing is read or written here.
#pragma once

#include "collect/balance.h"
#include "collect/document_kind.h"

#include <QDate>
#include <QList>
#include <QString>

#include <cstdint>

namespace dajdor::collect {

// A line the settlement produces, before grouping.
struct SettledLine {
  QString GRUPA;
  QString DOCJUS;  // "CHITANTA", "NC", "OP"
  QString DENUM;   // the supporting document of a Taxe or Debite row; "" for Impozite
  std::int64_t RESTANTA = 0, MAJOREST = 0, DEPOZIT = 0, CURENT = 0, MAJOR = 0, REDUCERE = 0;
  QString TIP;     // "C", "N", "O"

  std::int64_t cash() const { return RESTANTA + MAJOREST + DEPOZIT + CURENT + MAJOR - REDUCERE; }
  friend bool operator==(const SettledLine&, const SettledLine&) = default;
};

// New state of a SoldCalc row (every row of the taxpayer gets one).
struct BalanceUpdate {
  std::int64_t IDRES = 0, SUMA = 0, REST = 0, REDUC = 0, DATOR = 0, DEPOZ = 0, MAJOR = 0;
  friend bool operator==(const BalanceUpdate&, const BalanceUpdate&) = default;
};
// New state of a Datorii row that received an amount.
struct OtherTaxUpdate {
  std::int64_t IDDAT = 0, SUMA = 0, REST = 0;
  friend bool operator==(const OtherTaxUpdate&, const OtherTaxUpdate&) = default;
};
// New state of a Debit row that received an amount.
struct DebitUpdate {
  std::int64_t IDDEB = 0, SUMAC = 0;
  friend bool operator==(const DebitUpdate&, const DebitUpdate&) = default;
};

struct SettlementRules {
  DocumentKind kind = DocumentKind::Receipt;
  QDate calcDate;
  bool noPenalties = false;
  int workYear = kWorkYear;
};

struct Settlement {
  QList<SettledLine> lines;  // Impozite rows first, then Taxe, then Debite, each in table order
  QList<BalanceUpdate> balances;
  QList<OtherTaxUpdate> otherTaxes;
  QList<DebitUpdate> debits;
};

// One row of each table; the lines it produces are appended to `lines`.
BalanceUpdate settleTaxLine(const TaxLine& row, const SettlementRules& rules, QList<SettledLine>& lines);
std::optional<OtherTaxUpdate> settleOtherTaxLine(const OtherTaxLine& row, const SettlementRules& rules,
                                                 QList<SettledLine>& lines);
std::optional<DebitUpdate> settleDebitLine(const DebitLine& row, const SettlementRules& rules,
                                           QList<SettledLine>& lines);

// Every row of the balance with its ACHITAT.
Settlement settle(const Balance& balance, const SettlementRules& rules);

}  // namespace dajdor::collect
