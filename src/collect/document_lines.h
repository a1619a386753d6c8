// The lines of a document as the Operare window shows them and the commit
// stores them: the settled lines grouped by group, supporting document and
// type, each with the budget account of its group.
#pragma once

#include "collect/payment_context.h"
#include "collect/settlement.h"

#include <QHash>
#include <QList>
#include <QString>

#include <cstdint>

namespace engine {
class Database;
}

namespace dajdor::collect {

// The six amounts of a line, as "Detalii / Modificari" edits them.
struct LineAmounts {
  std::int64_t RESTANTA = 0, MAJOREST = 0, DEPOZIT = 0, CURENT = 0, MAJOR = 0, REDUCERE = 0;
  std::int64_t cash() const { return RESTANTA + MAJOREST + DEPOZIT + CURENT + MAJOR - REDUCERE; }
  friend bool operator==(const LineAmounts&, const LineAmounts&) = default;
};

struct DocumentLine {
  QString GRUPA;
  QString DOCJUS;  // "CHITANTA", "N.C.", "O.P."
  QString SERIA;
  std::int64_t NR = 0;
  QString DENUM;
  QString CODCLAS;
  LineAmounts amounts;
  QString TIP;
  std::int64_t TOTAL = 0;
  friend bool operator==(const DocumentLine&, const DocumentLine&) = default;
};

// The accounts of CODCL by group.
class BudgetAccounts {
 public:
  static BudgetAccounts read(engine::Database& data);
  void add(const QString& group, const QString& natural, const QString& legal, const QString& type);

  // CODCLF for a natural person, CODCLJ otherwise; "" when the group has no row.
  QString account(const QString& group, bool naturalPerson) const;
  // The group has a natural-person account (its lines may be adjusted).
  bool hasNaturalAccount(const QString& group) const;
  // The groups a payment without a debt may be made on (TIP other than "I"), in CODCL order.
  QStringList groupsWithoutDebt() const;

 private:
  struct Row {
    QString natural, legal, type;
  };
  QHash<QString, Row> byGroup_;
  QStringList order_;
};

// Grouping of the settled lines (by GRUPA, DENUM, TIP), in the window's order
// (DENUM, GRUPA). Receipt lines carry `series` and `proposedNumber`; notes and
// payment orders an empty series and 0.
QList<DocumentLine> groupLines(const QList<SettledLine>& settled, const QString& series,
                               std::int64_t proposedNumber, const BudgetAccounts& accounts, bool naturalPerson);

// CODCLAS of every line again from the accounts (after the code window).
void refreshAccounts(QList<DocumentLine>& lines, const BudgetAccounts& accounts, bool naturalPerson);

// "Detalii / Modificari" on line `index`: the refusal to show, or nothing when
// the line may be adjusted ("Nu aveti ce modifica!" with no lines; only groups
// with a natural-person account).
std::optional<Problem> adjustmentRefusal(const QList<DocumentLine>& lines, int index, const BudgetAccounts& accounts);
// "&Memoreaza": the new amounts must add up to the line's TOTAL.
std::optional<Problem> checkAdjustment(const DocumentLine& line, const LineAmounts& amounts);
// The accepted amounts on every line of the group (TOTAL unchanged).
void applyAdjustment(QList<DocumentLine>& lines, const QString& group, const LineAmounts& amounts);

}  // namespace dajdor::collect
