// TransferToDebts as rules on rows: a taxpayer's assessment file turned into his
// Datorii lines of kind "A", the arrears of the arrears page, and his four main
// SoldCalc rows brought up to date with the year's debts and the payments
// received. Nothing here touches a table: transfer_store.h reads the file and
// writes the result.
#pragma once

#include "register/debt_line.h"

#include <QDate>
#include <QHash>
#include <QList>

#include <array>

namespace dajdor::reg {

inline const QString kDebtTable = QStringLiteral("Datorii.dbf");
inline const QString kBalanceTable = QStringLiteral("SoldCalc.dbf");
inline const QString kPaymentTable = QStringLiteral("Chitante.dbf");
inline const QString kAssessedKind = QStringLiteral("A");
inline const QString kArrearsKind = QStringLiteral("M");

// A Datorii row, whole lei as the table keeps them.
struct DebtRow {
  std::int64_t iddat = 0;  // 0 until a new row gets its identifier
  QString village, role, group, name, kind, document, unit;
  int firstDay = 0;  // DINDATA as a day number; 0 when blank
  std::int64_t amount = 0, arrears = 0, reduction = 0, reductionPercent = 0, exempted = 0, assessed = 0,
               initialArrears = 0;  // SUMA, REST, REDUC, REDUCP, SCUTIT, SUMA2, RESTINI
  Currency quantity;               // CANT

  bool carriesNothing() const { return assessed == 0 && initialArrears == 0 && reduction == 0; }
  friend bool operator==(const DebtRow&, const DebtRow&) = default;
};

// A SoldCalc row.
struct BalanceRow {
  std::int64_t idres = 0;  // 0 until a new row gets its identifier
  QString village, role, group, kind;
  std::int64_t amount = 0, rest = 0, reduction = 0, exemption = 0;  // SUMA, REST, REDUC, SCUTIRE
  std::int64_t owed = 0, plus = 0, penalties = 0;                   // DATOR, DEPOZ, MAJOR
  std::int64_t initialOwed = 0, initialPlus = 0, initialPenalties = 0;  // DATORI, DEPOZI, MAJORI

  friend bool operator==(const BalanceRow&, const BalanceRow&) = default;
};

// The taxpayer's receipts in one main group (Chitante sums).
struct PaymentSums {
  std::int64_t arrears = 0, arrearsPenalties = 0, deposit = 0, current = 0, penalties = 0, reduction = 0;
};

// Everything a transfer reads for one taxpayer.
struct TaxpayerFile {
  Taxpayer taxpayer;
  std::array<PageValues, 12> pages;  // pages[1] ... pages[11]
  QList<DebtRow> debts;              // every Datorii row of the taxpayer, in table order
  QList<BalanceRow> balances;        // every SoldCalc row, in table order
  QHash<QString, PaymentSums> payments;  // by group
};

// What becomes of one row read, or of one new row.
enum class RowChange { Unchanged, Updated, Inserted, Deleted };

template <typename Row>
struct PlannedRow {
  Row row;
  RowChange change = RowChange::Unchanged;
  Row original = {};  // as read, for an updated row: only the fields that differ are written
};

struct TransferPlan {
  QList<PlannedRow<DebtRow>> debts;
  QList<PlannedRow<BalanceRow>> balances;
  // Rows to insert, update or delete.
  int writes() const;
};

// The taxpayer's lines of the year, in the order the debt generation opens them:
// unbuilt land, buildings, annexes, built-up land, vehicles, unregistered
// vehicles, other taxes.
DebtLines assessTaxpayer(const TaxpayerFile& file, const TaxContext& context);

// The working set of a taxpayer's Datorii rows during a transfer.
class DebtLineSet {
 public:
  DebtLineSet(const QList<DebtRow>& rows, const Taxpayer& taxpayer, int workYear);

  // OpenDebtLine: the taxpayer's row (group, name, "A"), created when missing;
  // its village and DINDATA are rewritten.
  DebtRow& OpenDebtLine(const QString& group, const QString& name);
  // Whether the taxpayer has the row (group, name, "A") already.
  bool has(const QString& group, const QString& name) const;
  // The assessed amount t of an open line: what payments changed so far
  // (SUMA - SUMA2) is kept, SUMA2 becomes t.
  static void setAssessedAmount(DebtRow& row, std::int64_t tax);
  // Unit, quantity, bonus, exemption and the assessed amount of a calculated line.
  static void assess(DebtRow& row, const DebtLine& line);
  // Arrears of another tax from the arrears page: payments already made on them stay counted.
  static void carryArrears(DebtRow& row, std::int64_t amount);

  // CloseDebtLine for every line: a row that carries nothing (no assessed amount,
  // no arrears, no bonus) is dropped, deleted when it was stored before.
  QList<PlannedRow<DebtRow>> close() const;

 private:
  struct Entry {
    DebtRow row;
    bool stored = false;
    bool opened = false;
    DebtRow original;
  };
  QList<Entry> entries_;
  // (group, name) of a line: shares the texts instead of joining them, since it
  // is looked up for every possible line of every taxpayer.
  struct LineKey {
    QString group, name;
    friend bool operator==(const LineKey&, const LineKey&) = default;
  };
  struct LineKeyHash {
    std::size_t operator()(const LineKey& key) const noexcept {
      return NameHash{}(key.group) * 31 ^ NameHash{}(key.name);
    }
  };
  std::unordered_map<LineKey, int, LineKeyHash> assessed_;  // -> first entry of kind "A"
  const Taxpayer& taxpayer_;
  int firstDay_ = 0;
};

// The whole transfer of one taxpayer. `file.taxpayer.role` must not be empty.
TransferPlan planTransfer(const TaxpayerFile& file, const TaxContext& context);

}  // namespace dajdor::reg
