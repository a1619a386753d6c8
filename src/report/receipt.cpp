#include "report/receipt.h"

#include "admin/rates.h"
#include "store/engine/database.h"

#include <cstdlib>
#include <string_view>

namespace dajdor::report {

namespace {

QString textOf(const engine::ResultSet& rows, std::size_t row, std::string_view field) {
  const int column = rows.columnIndex(field);
  if (column < 0) return QString();
  return QString::fromStdString(rows.value(row, static_cast<std::size_t>(column)).toString()).trimmed();
}

std::int64_t amountOf(const engine::ResultSet& rows, std::size_t row, std::string_view field) {
  const int column = rows.columnIndex(field);
  return column < 0 ? 0 : rows.value(row, static_cast<std::size_t>(column)).toInt();
}

}  // namespace

TownHall TownHall::fromRates(const admin::Rates& rates) {
  return {rates.text(QStringLiteral("JudetulLab")).trimmed(),
          rates.text(QStringLiteral("PrimariaLab")).trimmed(), rates.text(QStringLiteral("CUILab")).trimmed(),
          rates.text(QStringLiteral("LocalitateaLab")).trimmed()};
}

Receipt receiptFromGroupedLines(const engine::ResultSet& rows, const TownHall& townHall) {
  Receipt receipt;
  receipt.townHall = townHall;
  if (rows.rowCount() == 0) return receipt;
  receipt.series = textOf(rows, 0, "SERIA");
  receipt.number = textOf(rows, 0, "NR");
  receipt.date = QDate::fromString(textOf(rows, 0, "DATAI"), QStringLiteral("dd.MM.yyyy"));
  receipt.rol = textOf(rows, 0, "ROL");
  receipt.taxpayer = textOf(rows, 0, "NUMEP");
  receipt.code = textOf(rows, 0, "CNP");
  receipt.address = textOf(rows, 0, "ADRESA");
  receipt.personKind = textOf(rows, 0, "TIPF");
  receipt.payer = textOf(rows, 0, "PLATNUME");
  receipt.cashier = textOf(rows, 0, "INCANUME");
  receipt.cashierId = textOf(rows, 0, "LEGITIMA");
  for (std::size_t row = 0; row < rows.rowCount(); ++row) {
    receipt.lines.append({textOf(rows, row, "GRUPA"), textOf(rows, row, "DENUM"),
                          textOf(rows, row, "CODCLAS"), amountOf(rows, row, "RAM1"),
                          amountOf(rows, row, "CUR1"), amountOf(rows, row, "PEN1"),
                          amountOf(rows, row, "RED1")});
  }
  return receipt;
}

ReceiptTotals lineTotals(const ReceiptLine& line) {
  ReceiptTotals totals;
  totals.current = std::abs(line.current);
  totals.arrears = std::abs(line.arrears);
  totals.penalties = std::abs(line.penalties);
  totals.reduction = std::abs(line.reduction);
  totals.total = totals.current + totals.arrears + totals.penalties - totals.reduction;
  return totals;
}

ReceiptTotals receiptTotals(const Receipt& receipt) {
  ReceiptTotals sums;
  for (const ReceiptLine& line : receipt.lines) {
    const ReceiptTotals one = lineTotals(line);
    sums.current += one.current;
    sums.arrears += one.arrears;
    sums.penalties += one.penalties;
    sums.reduction += one.reduction;
  }
  sums.total = sums.current + sums.arrears + sums.penalties - sums.reduction;
  return sums;
}

}  // namespace dajdor::report
