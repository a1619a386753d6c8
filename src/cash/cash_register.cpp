#include "cash/cash_register.h"

#include "store/day_number.h"
#include "store/sql_helpers.h"

#include <algorithm>

namespace dajdor::cash {
namespace {

QString text(const engine::Value& v) { return QString::fromStdString(v.toString()).trimmed(); }
QDate day(const engine::Value& v) { return v.isNull() ? QDate() : dateOfDay(static_cast<int>(v.toDay())); }

bool before(const CashRow& a, const CashRow& b) {
  if (a.DATAI != b.DATAI) return a.DATAI < b.DATAI;
  return a.INCANUME < b.INCANUME;
}

void sortRows(QList<CashRow>& rows) { std::stable_sort(rows.begin(), rows.end(), before); }

}  // namespace

QString chosenCashier(const QString& listEntry) {
  return listEntry == kAnyCashier ? QString() : listEntry.trimmed();
}

void CashRegister::load() {
  QList<CashRow> rows;
  QStringList cashiers;
  // A table never created holds no movement (a directory the program has not started on yet).
  if (db_.tableExists(sql::tablePath(dataDir_, "Chitante.dbf").toStdString())) readDocuments(rows, cashiers);
  if (db_.tableExists(sql::tablePath(dataDir_, "RegCasa.dbf").toStdString())) readMovements(rows);
  sortRows(rows);
  cashiers.removeDuplicates();
  cashiers.sort();
  rows_ = std::move(rows);
  cashiers_ = std::move(cashiers);
}

void CashRegister::readDocuments(QList<CashRow>& rows, QStringList& cashiers) {
  const QString documents = sql::table(dataDir_, "Chitante.dbf");
  const auto sums = sql::query(db_, "SELECT DATAI, INCANUME, SUM(TOTAL) AS TOTAL FROM " + documents + " WHERE TIP IN (" +
                                        sql::quote("C") + "," + sql::quote("O") + ") GROUP BY DATAI, INCANUME");
  for (std::size_t r = 0; r < sums->rowCount(); ++r) {
    CashRow row;
    row.DATAI = day(sums->value(r, 0));
    if (!row.DATAI.isValid()) continue;  // a line without a date belongs to no day
    row.INCANUME = text(sums->value(r, 1));
    row.DOCJUS = kSummaryText;
    const std::int64_t total = sums->value(r, 2).toInt();
    // Payment orders are negative: a day that gave out more than it took in is a payment.
    if (total < 0)
      row.PLATIT = -total;
    else
      row.INCASAT = total;
    rows.append(row);
  }
  const auto names = sql::query(db_, "SELECT DISTINCT INCANUME FROM " + documents);
  for (std::size_t r = 0; r < names->rowCount(); ++r) {
    const QString name = text(names->value(r, 0));
    if (!name.isEmpty()) cashiers.append(name);
  }
}

void CashRegister::readMovements(QList<CashRow>& rows) {
  const auto hand = sql::query(db_, "SELECT IDRC, DATAI, DOCJUS, PLATIT, INCASAT, INCANUME FROM " +
                                        sql::table(dataDir_, "RegCasa.dbf") + " ORDER BY IDRC");
  for (std::size_t r = 0; r < hand->rowCount(); ++r) {
    CashRow row;
    row.IDRC = hand->value(r, 0).toInt();
    row.DATAI = day(hand->value(r, 1));
    row.DOCJUS = text(hand->value(r, 2));
    row.PLATIT = hand->value(r, 3).toInt();
    row.INCASAT = hand->value(r, 4).toInt();
    row.INCANUME = text(hand->value(r, 5));
    // Kept whatever its id, so the balances count it; a row without a day belongs to none.
    if (!row.DATAI.isValid()) continue;
    rows.append(row);
  }
}

QStringList CashRegister::documentTexts() const {
  QStringList texts;
  for (const CashRow& row : rows_)
    if (!row.isSummary()) texts.append(row.DOCJUS);
  texts.removeDuplicates();
  texts.sort();
  return texts;
}

CashDay CashRegister::Filtru(const QDate& date, const QString& cashier) const {
  const QString only = chosenCashier(cashier);
  CashDay view;
  for (const CashRow& row : rows_) {
    if (!only.isEmpty() && row.INCANUME != only) continue;
    if (row.DATAI < date) {
      view.previousBalance += row.INCASAT - row.PLATIT;
    } else if (row.DATAI == date) {
      view.rows.append(row);
      view.totalReceived += row.INCASAT;
      view.totalPaid += row.PLATIT;
    }
  }
  return view;
}

void CashRegister::insertRow(const CashRow& row) {
  rows_.append(row);
  sortRows(rows_);
}

void CashRegister::replaceRow(const CashRow& row) {
  removeRow(row.IDRC);
  insertRow(row);
}

void CashRegister::removeRow(std::int64_t idrc) {
  rows_.removeIf([idrc](const CashRow& r) { return !r.isSummary() && r.IDRC == idrc; });
}

const CashRow* CashRegister::findRow(std::int64_t idrc) const {
  for (const CashRow& r : rows_)
    if (!r.isSummary() && r.IDRC == idrc) return &r;
  return nullptr;
}

}  // namespace dajdor::cash
