#include "collect/collection_sheet.h"

#include "collect/paid_amounts.h"

namespace dajdor::collect {

CollectionSheet::CollectionSheet(const BalanceSource& source, const QString& programFolder)
    : source_(source), tables_(programFolder) {}

void CollectionSheet::BuildBalance(bool noPenalties, const QDate& calcDate, bool naturalPerson,
                                   std::int64_t IDGOS) {
  balance_ = {};
  tables_.remove();
  Balance fresh = computeBalance(source_, noPenalties, calcDate, naturalPerson, IDGOS);
  tables_.write(fresh);
  balance_ = std::move(fresh);
}

void CollectionSheet::clear() {
  balance_ = {};
  tables_.write(balance_);
}

int CollectionSheet::rowCount(WorkTable table) const {
  switch (table) {
    case WorkTable::Taxes:
      return static_cast<int>(balance_.taxes.size());
    case WorkTable::OtherTaxes:
      return static_cast<int>(balance_.others.size());
    case WorkTable::Debits:
      return static_cast<int>(balance_.debits.size());
  }
  return 0;
}

std::int64_t CollectionSheet::due(WorkTable table, int row) const {
  switch (table) {
    case WorkTable::Taxes:
      return balance_.taxes.at(row).DEPLATA;
    case WorkTable::OtherTaxes:
      return balance_.others.at(row).DEPLATA;
    case WorkTable::Debits:
      return balance_.debits.at(row).DEPLATA;
  }
  return 0;
}

std::int64_t CollectionSheet::paid(WorkTable table, int row) const {
  switch (table) {
    case WorkTable::Taxes:
      return balance_.taxes.at(row).ACHITAT;
    case WorkTable::OtherTaxes:
      return balance_.others.at(row).ACHITAT;
    case WorkTable::Debits:
      return balance_.debits.at(row).ACHITAT;
  }
  return 0;
}

std::int64_t& CollectionSheet::paidRef(WorkTable table, int row) {
  switch (table) {
    case WorkTable::Taxes:
      return balance_.taxes[row].ACHITAT;
    case WorkTable::OtherTaxes:
      return balance_.others[row].ACHITAT;
    case WorkTable::Debits:
      break;
  }
  return balance_.debits[row].ACHITAT;
}

void CollectionSheet::storePaid(WorkTable table, int row, std::int64_t amount) {
  tables_.writeField(table, row, QStringLiteral("ACHITAT"), engine::Value::integer(amount));
  paidRef(table, row) = amount;
}

std::int64_t CollectionSheet::enterPaid(WorkTable table, int row, std::int64_t typed) {
  const std::int64_t owed = due(table, row);
  const std::int64_t amount =
      table == WorkTable::OtherTaxes ? paidOnOtherTax(typed, owed) : paidOnBalanceLine(typed, owed);
  storePaid(table, row, amount);
  return amount;
}

std::int64_t CollectionSheet::togglePaid(WorkTable table, int row) {
  const std::int64_t amount = toggledPaid(paid(table, row), due(table, row));
  storePaid(table, row, amount);
  return amount;
}

bool CollectionSheet::setDebitGroup(int row, const QString& group) {
  const QString trimmed = group.trimmed();
  if (trimmed.isEmpty()) return false;
  tables_.writeField(WorkTable::Debits, row, QStringLiteral("GRUPA"), engine::Value::text(trimmed.toStdString()));
  balance_.debits[row].GRUPA = trimmed;
  return true;
}

void CollectionSheet::setNumber(WorkTable table, int row, std::int64_t number) {
  tables_.writeField(table, row, QStringLiteral("NR"), engine::Value::integer(number));
  if (table == WorkTable::OtherTaxes) balance_.others[row].NR = number;
  if (table == WorkTable::Debits) balance_.debits[row].NR = number;
}

std::int64_t CollectionSheet::receiptValue() const {
  std::int64_t sum = 0;
  for (const TaxLine& line : balance_.taxes) sum += line.ACHITAT;
  for (const OtherTaxLine& line : balance_.others) sum += line.ACHITAT;
  for (const DebitLine& line : balance_.debits) sum += line.ACHITAT;
  return sum;
}

}  // namespace dajdor::collect
