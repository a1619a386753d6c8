#include "register/debt_transfer.h"

#include "register/building_tax.h"
#include "register/land_tax.h"
#include "register/other_taxes.h"
#include "register/vehicle_tax.h"
#include "store/day_number.h"
#include "store/text_rules.h"

namespace dajdor::reg {
namespace {

// The four main groups in the order their balances are brought up to date.
const QStringList& balanceGroups() {
  static const QStringList groups = {kGroupBuildings, kGroupLandInside, kGroupLandOutside, kGroupVehicles};
  return groups;
}

template <typename Row>
int firstOfGroup(const QList<PlannedRow<Row>>& rows, const QString& group) {
  for (int i = 0; i < rows.size(); ++i)
    if (rows[i].change != RowChange::Deleted && rows[i].row.group == group) return i;
  return -1;
}

// CarryTaxArrears: the arrears page becomes the initial arrears, plus and
// penalties of the group's balance, unless the group's balance is of kind "A".
void carryTaxArrears(QList<PlannedRow<BalanceRow>>& balances, const TaxpayerFile& file, const TaxContext& context) {
  for (const TaxArrears& a : mainTaxArrears(file.pages[11], context)) {
    const int first = firstOfGroup(balances, a.group);
    if (first < 0) {
      BalanceRow row;
      row.village = file.taxpayer.village;
      row.role = file.taxpayer.role;
      row.group = a.group;
      row.kind = kArrearsKind;
      row.owed = row.initialOwed = a.arrears;
      row.plus = row.initialPlus = a.plus;
      row.penalties = row.initialPenalties = a.penalties;
      balances.append({row, RowChange::Inserted});
      continue;
    }
    bool assessedKind = false;
    for (const auto& b : balances) assessedKind |= b.row.group == a.group && b.row.kind == kAssessedKind;
    if (assessedKind) continue;
    BalanceRow& row = balances[first].row;
    row.initialOwed = a.arrears;
    row.initialPlus = a.plus;
    row.initialPenalties = a.penalties;
  }
}

struct DebtSums {
  bool any = false;
  std::int64_t amount = 0, reduction = 0, exempted = 0;
};

// The four main balance rows from the year's debts and the payments received.
void updateBalances(QList<PlannedRow<BalanceRow>>& balances, const QList<PlannedRow<DebtRow>>& debts,
                    const QHash<QString, PaymentSums>& payments) {
  for (const QString& group : balanceGroups()) {
    const int first = firstOfGroup(balances, group);
    if (first < 0) continue;
    DebtSums sums;
    for (const auto& d : debts) {
      if (d.change == RowChange::Deleted || d.row.group != group) continue;
      sums.any = true;
      sums.amount += d.row.amount;
      sums.reduction += d.row.reduction;
      sums.exempted += d.row.exempted;
    }
    const PaymentSums paid = payments.value(group);
    BalanceRow& row = balances[first].row;
    row.amount = sums.amount;
    row.rest = sums.amount - paid.current;
    row.reduction = sums.reduction;
    row.exemption = sums.exempted;
    row.owed = row.initialOwed - paid.arrears;
    row.plus = row.initialPlus + paid.deposit + (sums.any ? 0 : paid.penalties);
    row.penalties = row.initialPenalties - paid.arrearsPenalties;
  }
}

}  // namespace

int TransferPlan::writes() const {
  int n = 0;
  for (const auto& d : debts) n += d.change != RowChange::Unchanged;
  for (const auto& b : balances) n += b.change != RowChange::Unchanged;
  return n;
}

DebtLines assessTaxpayer(const TaxpayerFile& file, const TaxContext& context) {
  const auto& p = file.pages;
  DebtLines lines = AssessExtravilan(p[1], context);
  lines.append(AssessBuildings(p[2], context));
  lines.append(AssessAnnexes(p[3], context));
  lines.append(AssessIntravilan(p[4], context));
  lines.append(AssessVehicles(p[5], p[8], p[9], p[10], context));
  lines.append(AssessUnregisteredVehicles(p[6], context));
  lines.append(AssessOtherTaxes(p[7], context));
  return lines;
}

DebtLineSet::DebtLineSet(const QList<DebtRow>& rows, const Taxpayer& taxpayer, int workYear)
    : taxpayer_(taxpayer), firstDay_(dayNumber(QDate(workYear, 1, 1))) {
  entries_.reserve(rows.size() + 160);
  assessed_.reserve(static_cast<std::size_t>(rows.size()) + 160);
  for (const DebtRow& row : rows) {
    if (row.kind == kAssessedKind) assessed_.emplace(LineKey{row.group, row.name}, static_cast<int>(entries_.size()));
    entries_.append({row, true, false, row});
  }
}

DebtRow& DebtLineSet::OpenDebtLine(const QString& group, const QString& name) {
  const LineKey key{group, name};
  auto it = assessed_.find(key);
  if (it == assessed_.end()) {
    DebtRow row;
    row.role = taxpayer_.role;
    row.kind = kAssessedKind;
    row.group = group;
    row.name = name;
    it = assessed_.emplace(key, static_cast<int>(entries_.size())).first;
    entries_.append({row, false, false, row});
  }
  Entry& entry = entries_[it->second];
  entry.opened = true;
  entry.row.village = taxpayer_.village;
  entry.row.firstDay = firstDay_;
  return entry.row;
}

bool DebtLineSet::has(const QString& group, const QString& name) const {
  return assessed_.find(LineKey{group, name}) != assessed_.end();
}

void DebtLineSet::setAssessedAmount(DebtRow& row, std::int64_t tax) {
  const std::int64_t changed = row.amount - row.assessed;
  row.amount = tax + changed;
  row.assessed = tax;
}

void DebtLineSet::assess(DebtRow& row, const DebtLine& line) {
  row.unit = line.unit;
  row.quantity = line.quantity;
  row.reductionPercent = line.reductionPercent.rounded();
  row.reduction = line.reduction.rounded();
  row.exempted = line.exemption.rounded();
  setAssessedAmount(row, line.tax.rounded());
}

void DebtLineSet::carryArrears(DebtRow& row, std::int64_t amount) {
  row.arrears += amount - row.initialArrears;
  row.initialArrears = amount;
  // A line taxed this year keeps the unit and quantity of its tax.
  if (row.assessed != 0) return;
  row.unit = QStringLiteral(" - ");
  row.quantity = Currency::whole(amount > 0 ? 1 : 0);
}

QList<PlannedRow<DebtRow>> DebtLineSet::close() const {
  QList<PlannedRow<DebtRow>> rows;
  for (const Entry& e : entries_) {
    if (!e.opened) {
      rows.append({e.row, RowChange::Unchanged});
    } else if (e.row.carriesNothing()) {
      if (e.stored) rows.append({e.row, RowChange::Deleted});
    } else if (!e.stored) {
      rows.append({e.row, RowChange::Inserted});
    } else {
      rows.append({e.row, e.row == e.original ? RowChange::Unchanged : RowChange::Updated, e.original});
    }
  }
  return rows;
}

TransferPlan planTransfer(const TaxpayerFile& file, const TaxContext& context) {
  DebtLineSet set(file.debts, file.taxpayer, context.workYear);
  for (const DebtLine& line : assessTaxpayer(file, context)) {
    // A line that carries nothing and does not exist yet would be created and
    // dropped again: most of a taxpayer's hundred and more possible lines.
    const bool empty = line.tax.rounded() == 0 && line.reduction.rounded() == 0;
    if (empty && !set.has(line.group, line.name)) continue;
    DebtLineSet::assess(set.OpenDebtLine(line.group, line.name), line);
  }
  for (const OtherArrears& a : otherTaxArrears(file.pages[11]))
    DebtLineSet::carryArrears(set.OpenDebtLine(a.label, a.label), a.amount);

  TransferPlan plan;
  plan.debts = set.close();
  for (const BalanceRow& row : file.balances) plan.balances.append({row, RowChange::Unchanged, row});
  carryTaxArrears(plan.balances, file, context);
  updateBalances(plan.balances, plan.debts, file.payments);
  for (int i = 0; i < file.balances.size(); ++i)
    if (!(plan.balances[i].row == file.balances[i])) plan.balances[i].change = RowChange::Updated;
  return plan;
}

}  // namespace dajdor::reg
