#include "report/receipt_report.h"

#include "report/report_layout.h"
#include "store/text_rules.h"

#include <cstdlib>

namespace dajdor::report {

namespace {

constexpr int kCopies = 2;
constexpr double kCopyHeight = 148.5;  // half of an A4 page
constexpr double kWidth = 194;
constexpr double kSlotHeight = 5.2;
const QString kEmptySlot = QStringLiteral(" - ");

// Columns of the lines table: left edges, the last entry the right edge.
constexpr double kColumns[] = {0, 58, 92, 112, 132, 152, 172, kWidth};
// Everything stays 6 mm inside the paper, where any printer reaches.
constexpr double kPayerTop = 25;
constexpr double kIdentityTop = 47;
constexpr double kTableTop = 71;
constexpr double kAmountsTop = kTableTop + 5.5;  // below "SUMELE INCASATE"
constexpr double kSlotsTop = kAmountsTop + 5.5;
constexpr double kTotalTop = kSlotsTop + kReceiptSlots * kSlotHeight;
constexpr double kTableBottom = kTotalTop + 6.5;

const QStringList kAmountColumns = {QStringLiteral("CUR"), QStringLiteral("RES"), QStringLiteral("MAJ"),
                                    QStringLiteral("BON"), QStringLiteral("TOT")};

TextStyle style(double pointSize, bool bold = false) {
  TextStyle s;
  s.pointSize = pointSize;
  s.bold = bold;
  return s;
}

QString slotField(int slot, const QString& column) {
  return QStringLiteral("L%1_%2").arg(slot + 1).arg(column);
}

QStringList fieldNames() {
  QStringList names = {"JUDET",  "PRIMARIA", "CUI",      "LOCALITATE", "SERIANR", "NUMEP",
                       "ADRESA", "PLATNUME", "PFPJ",     "ROL",        "CNP_PF",  "CNP_PJ",
                       "DATAI",  "LEGITIMA", "INCANUME", "INLITERE"};
  for (int slot = 0; slot < kReceiptSlots; ++slot) {
    names << slotField(slot, "DEN") << slotField(slot, "COD");
    for (const QString& column : kAmountColumns) names << slotField(slot, column);
  }
  for (const QString& column : kAmountColumns) names << "T_" + column;
  return names;
}

QStringList amountTexts(const ReceiptTotals& totals) {
  return {amountText(totals.current), amountText(totals.arrears), amountText(totals.penalties),
          amountText(totals.reduction), amountText(totals.total)};
}

void addHeader(Band& copy) {
  const auto centre = Qt::AlignHCenter | Qt::AlignVCenter;
  copy.field({0, 6, 110, 4.5}, "JUDET", style(8));
  copy.field({0, 10.5, 110, 5}, "PRIMARIA", style(9.5, true));
  copy.field({0, 15.5, 110, 4.5}, "CUI", style(8));
  copy.field({0, 20, 110, 4.5}, "LOCALITATE", style(8, true));
  copy.field({112, 6, 82, 5}, "SERIANR", style(10, true), Qt::AlignRight | Qt::AlignVCenter);
  copy.text({112, 11, 82, 8}, "CHITANTA", style(16, true), centre);
  copy.text({112, 19.5, 82, 4.5}, "PENTRU CREANTE ALE BUGETELOR LOCALE", style(7.5, true), centre);
}

void addPayerBox(Band& copy) {
  const auto centre = Qt::AlignHCenter | Qt::AlignVCenter;
  const double top = kPayerTop;
  copy.box({0, top, kWidth, 20});
  copy.text({0, top, kWidth, 4.5}, "ELEMENTE DE IDENTIFICARE A PLATITORULUI", style(7.5, true), centre);
  copy.line({0, top + 4.5}, {kWidth, top + 4.5}, 0.15);
  copy.text({2, top + 5, 28, 5}, "CONTRIBUABIL:", style(8, true));
  copy.field({30, top + 5, 162, 5}, "NUMEP", style(10, true), centre);
  copy.field({30, top + 10, 162, 4.5}, "ADRESA", style(8), centre);
  copy.text({2, top + 14.8, 28, 5}, "PLATITOR:", style(8, true));
  copy.field({30, top + 14.8, 162, 5}, "PLATNUME", style(9));
}

void addIdentityBoxes(Band& copy) {
  const double top = kIdentityTop;
  const double bottom = top + 22;
  copy.box({0, top, 110, bottom - top});
  copy.line({54, top}, {54, bottom}, 0.15);
  const double rows[] = {top, top + 6, top + 11.3, top + 16.6};
  for (int i = 1; i < 4; ++i) copy.line({0, rows[i]}, {110, rows[i]}, 0.15);
  copy.text({2, rows[0], 51, 6}, "NR.DE ROL NOMINAL UNIC", style(7, true));
  copy.field({56, rows[0], 10, 6}, "PFPJ", style(9, true));
  copy.field({66, rows[0], 43, 6}, "ROL", style(9, true));
  copy.text({2, rows[1], 51, 5.3}, "Cod numeric personal", style(7));
  copy.field({56, rows[1], 53, 5.3}, "CNP_PF", style(9));
  copy.text({2, rows[2], 51, 5.3}, "Cod unic de inregistrare", style(7));
  copy.field({56, rows[2], 53, 5.3}, "CNP_PJ", style(9));
  copy.text({2, rows[3], 51, 5.4}, "DATA INCASARII :", style(7.5, true));
  copy.field({56, rows[3], 53, 5.4}, "DATAI", style(9, true));

  copy.box({112, top, 82, bottom - top});
  copy.text({113, top + 0.5, 40, 4}, "ELEMENTE DE IDENTIFICARE", style(6.5, true));
  copy.text({113, top + 4.5, 40, 4}, "A INCASATORULUI  ==>", style(6.5, true));
  copy.text({154, top + 0.5, 39, 4}, "LEGITIMATIA", style(6.5, true));
  copy.text({154, top + 4.5, 8, 4}, "NR.:", style(6.5, true));
  copy.field({162, top + 4.5, 31, 4}, "LEGITIMA", style(8));
  copy.line({112, top + 9}, {kWidth, top + 9}, 0.15);
  copy.text({113, top + 9.5, 80, 4}, "NUMELE SI PRENUMELE", style(6.5, true));
  copy.field({113, top + 13.3, 80, 4.5}, "INCANUME", style(9, true));
  copy.text({150, top + 17.5, 43, 4.3}, "SEMNATURA,", style(6.5, true));
}

void addLinesTable(Band& copy) {
  const auto centre = Qt::AlignHCenter | Qt::AlignVCenter;
  const auto right = Qt::AlignRight | Qt::AlignVCenter;
  copy.box({0, kTableTop, kWidth, kTableBottom - kTableTop}, 0.3);
  copy.text({0, kTableTop + 2, kColumns[1], 4}, "DENUMIREA CREANTEI", style(7, true), centre);
  copy.text({0, kTableTop + 6, kColumns[1], 4}, "BUGETULUI LOCAL", style(7, true), centre);
  copy.text({kColumns[1], kTableTop + 2, kColumns[2] - kColumns[1], 4}, "CODUL", style(7, true), centre);
  copy.text({kColumns[1], kTableTop + 6, kColumns[2] - kColumns[1], 4}, "din clasificatia bugetara",
            style(5.5), centre);
  copy.text({kColumns[2], kTableTop, kWidth - kColumns[2], kAmountsTop - kTableTop},
            "SUMELE INCASATE                      - lei -", style(7, true), centre);
  copy.line({kColumns[2], kAmountsTop}, {kWidth, kAmountsTop}, 0.15);
  const QStringList titles = {"Curente", "Restante", "Majorari", "Bonificatie", "TOTAL"};
  for (int c = 0; c < titles.size(); ++c) {
    const double left = kColumns[c + 2];
    copy.text({left, kAmountsTop, kColumns[c + 3] - left, kSlotsTop - kAmountsTop}, titles[c], style(7, true),
              centre);
  }
  // The row title of the totals spans the name and code columns.
  copy.line({kColumns[1], kTableTop}, {kColumns[1], kTotalTop}, 0.15);
  copy.line({kColumns[2], kTableTop}, {kColumns[2], kTableBottom}, 0.15);
  for (int c = 3; c < 7; ++c) copy.line({kColumns[c], kAmountsTop}, {kColumns[c], kTableBottom}, 0.15);
  copy.line({0, kSlotsTop}, {kWidth, kSlotsTop}, 0.3);

  for (int slot = 0; slot < kReceiptSlots; ++slot) {
    const double top = kSlotsTop + slot * kSlotHeight;
    if (slot > 0) copy.line({0, top}, {kWidth, top}, 0.1);
    BandElement& name =
        copy.field({1, top, kColumns[1] - 1.5, kSlotHeight}, slotField(slot, "DEN"), style(6));
    name.fit = TextFit::WrapInBox;
    copy.field({kColumns[1], top, kColumns[2] - kColumns[1], kSlotHeight}, slotField(slot, "COD"), style(7),
               centre);
    for (int c = 0; c < kAmountColumns.size(); ++c) {
      const double left = kColumns[c + 2];
      copy.field({left, top, kColumns[c + 3] - left - 1, kSlotHeight}, slotField(slot, kAmountColumns[c]),
                 style(7.5), right);
    }
  }
  copy.line({0, kTotalTop}, {kWidth, kTotalTop}, 0.3);
  copy.text({0, kTotalTop, kColumns[2], kTableBottom - kTotalTop}, "T O T A L ", style(8.5, true), centre);
  for (int c = 0; c < kAmountColumns.size(); ++c) {
    const double left = kColumns[c + 2];
    copy.field({left, kTotalTop, kColumns[c + 3] - left - 1, kTableBottom - kTotalTop},
               "T_" + kAmountColumns[c], style(8, true), right);
  }
}

// A reduction larger than the rest leaves a negative total, which the words
// rule does not take.
QString amountInWordsText(std::int64_t amount) {
  const QString words = AmountInWords(QString::number(std::abs(amount)));
  return amount < 0 ? "minus " + words : words;
}

}  // namespace

QString amountText(std::int64_t amount) { return QString::number(amount) + QStringLiteral(".00"); }

ReportDefinition receiptDefinition(const TownHall& townHall) {
  ReportDefinition definition;
  definition.name = QStringLiteral("Chitanta");
  definition.margins = QMarginsF(8, 0, 8, 0);
  Band& copy = definition.detail;
  copy.height = kCopyHeight;
  addHeader(copy);
  addPayerBox(copy);
  addIdentityBoxes(copy);
  addLinesTable(copy);
  copy.field({0, kTableBottom + 0.8, kWidth, 4}, "INLITERE", style(8));
  if (townHall.locality.toUpper().contains(QStringLiteral("VARDENI"))) {
    copy.text({0, kTableBottom + 5, kWidth, 3.2}, "Chitantele sunt valabile numai daca au aplicat pe verso",
              style(7, true));
    copy.text({0, kTableBottom + 8.2, kWidth, 3.2}, "sigiliul autoritatii administratiei publice locale.",
              style(7, true));
  }
  // Where the page is cut between the copies.
  copy.line({-4, kCopyHeight}, {kWidth + 4, kCopyHeight}, 0.1).dashed = true;
  return definition;
}

PlainRows receiptRows(const Receipt& receipt) {
  const bool legal = receipt.personKind.trimmed().toUpper() != QStringLiteral("F");
  const ReceiptTotals totals = receiptTotals(receipt);
  QStringList values = {"Judetul " + receipt.townHall.county,
                        receipt.townHall.name,
                        "Cod inregistrare fiscala (C.U.I.):" + receipt.townHall.fiscalCode,
                        receipt.townHall.locality.toUpper(),
                        "Seria " + receipt.series + " nr. " + receipt.number,
                        receipt.taxpayer,
                        receipt.address,
                        receipt.payer,
                        legal ? QStringLiteral("PJ") : QStringLiteral("PF"),
                        receipt.rol,
                        legal ? kEmptySlot : receipt.code,
                        legal ? receipt.code : kEmptySlot,
                        receipt.date.toString(QStringLiteral("dd.MM.yyyy")),
                        receipt.cashierId,
                        receipt.cashier,
                        "Suma incasata in litere: " + amountInWordsText(totals.total) + " lei"};
  for (int slot = 0; slot < kReceiptSlots; ++slot) {
    if (slot < receipt.lines.size()) {
      const ReceiptLine& line = receipt.lines[slot];
      values << line.group + " - " + line.document << line.budgetCode << amountTexts(lineTotals(line));
    } else {
      for (int column = 0; column < 2 + kAmountColumns.size(); ++column) values << kEmptySlot;
    }
  }
  values << amountTexts(totals);
  PlainRows rows(fieldNames());
  for (int copy = 0; copy < kCopies; ++copy) rows.append(values);
  return rows;
}

ReportDocument layOutReceipt(const Receipt& receipt) {
  return layOutReport(receiptDefinition(receipt.townHall), receiptRows(receipt));
}

}  // namespace dajdor::report
