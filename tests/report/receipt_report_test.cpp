// The receipt form as data: both copies, the slots, the totals and the rules of
// what each field shows.
#include "report/receipt_report.h"

#include "report/receipt_fixture.h"
#include "report/report_text.h"
#include "store/engine/result_set.h"

#include <gtest/gtest.h>

namespace dajdor::report {
namespace {

using testing::copyTexts;
using testing::sampleReceipt;

QStringList slotTexts(const QStringList& texts, int slot) {
  const int start = static_cast<int>(texts.indexOf("din clasificatia bugetara")) + 1 + slot * 7;
  return texts.mid(start, 7);
}

TEST(ReceiptReport, TwoIdenticalCopiesOnOneA4PortraitPage) {
  const ReportDocument doc = layOutReceipt(sampleReceipt(3));
  ASSERT_EQ(doc.pages.size(), 1);
  EXPECT_DOUBLE_EQ(doc.pageSize.width(), 210);
  EXPECT_DOUBLE_EQ(doc.pageSize.height(), 297);
  const QStringList upper = copyTexts(doc.pages[0], 0);
  EXPECT_EQ(upper, copyTexts(doc.pages[0], 1));
  for (const QString& text : testing::sampleReceiptTexts() + QStringList{
           "ȘIEU-MĂGHERUȘ",
           "ELEMENTE DE IDENTIFICARE",
           "A INCASATORULUI  ==>",
           "NR.:",
           "CODUL",
           "SUMELE INCASATE                      - lei -",
           "Curente",
           "Restante",
           "Majorari",
           "TOTAL",
           "T O T A L "}) {
    EXPECT_TRUE(upper.contains(text)) << text.toStdString();
  }
}

TEST(ReceiptReport, NineGroupsPrintEightLinesAndTotalAllNine) {
  const QStringList texts = copyTexts(layOutReceipt(sampleReceipt(9)).pages[0], 0);
  // Line n: current n*100, arrears n*10, penalties n, reduction n: total n*110.
  for (int slot = 0; slot < kReceiptSlots; ++slot) {
    const int n = slot + 1;
    EXPECT_EQ(slotTexts(texts, slot),
              QStringList({QString("Grupa %1 - Doc %1").arg(n), QString("0702%1").arg(n, 2, 10, QChar('0')),
                           amountText(n * 100), amountText(n * 10), amountText(n), amountText(n),
                           amountText(n * 110)}));
  }
  EXPECT_FALSE(texts.join('|').contains("Grupa 9"));
  // Sums of 1..9: 45.
  const qsizetype total = texts.indexOf("T O T A L ");
  EXPECT_EQ(texts.mid(total + 1, 5), QStringList({"4500.00", "450.00", "45.00", "45.00", "4950.00"}));
  EXPECT_TRUE(texts.contains("Suma incasata in litere: patrumiinouasutecincizeci lei"));
}

TEST(ReceiptReport, UnusedSlotsShowADashInEveryColumn) {
  const QStringList texts = copyTexts(layOutReceipt(sampleReceipt(1)).pages[0], 0);
  for (int slot = 1; slot < kReceiptSlots; ++slot) EXPECT_EQ(slotTexts(texts, slot), QStringList(7, " - "));
}

TEST(ReceiptReport, TwoDebitLinesOfOneGroupPrintAsTwoNamedLines) {
  Receipt receipt = sampleReceipt(0);
  receipt.lines.append({"Amenzi", "PV 12/2014", "350202", 0, 200, 0, 0});
  receipt.lines.append({"Amenzi", "PV 31/2014", "350202", 50, 100, 0, 0});
  const QStringList texts = copyTexts(layOutReceipt(receipt).pages[0], 0);
  EXPECT_EQ(slotTexts(texts, 0),
            QStringList({"Amenzi - PV 12/2014", "350202", "200.00", "0.00", "0.00", "0.00", "200.00"}));
  EXPECT_EQ(slotTexts(texts, 1),
            QStringList({"Amenzi - PV 31/2014", "350202", "100.00", "50.00", "0.00", "0.00", "150.00"}));
}

TEST(ReceiptReport, AmountsPrintAsAbsoluteValuesAndAReductionIsSubtracted) {
  // A refund stores negative amounts; the form shows their size.
  Receipt receipt = sampleReceipt(0);
  receipt.lines.append({"Impozit pe cladiri", "", "070201", -20, -300, -5, 15});
  const QStringList texts = copyTexts(layOutReceipt(receipt).pages[0], 0);
  EXPECT_EQ(slotTexts(texts, 0),
            QStringList({"Impozit pe cladiri - ", "070201", "300.00", "20.00", "5.00", "15.00", "310.00"}));
}

TEST(ReceiptReport, CancelledReprintShowsZeroAmountsAndThePayerAnulat) {
  Receipt receipt = sampleReceipt(2);
  receipt.payer = "ANULAT";
  for (ReceiptLine& line : receipt.lines) line = {line.group, line.document, line.budgetCode, 0, 0, 0, 0};
  const QStringList texts = copyTexts(layOutReceipt(receipt).pages[0], 0);
  EXPECT_TRUE(texts.contains("ANULAT"));
  EXPECT_EQ(slotTexts(texts, 1).mid(2), QStringList(5, "0.00"));
  EXPECT_TRUE(texts.contains("Suma incasata in litere: zero lei"));
}

TEST(ReceiptReport, PersonKindDecidesWhichCodeFieldShowsTheCode) {
  struct Case {
    const char* kind;
    const char* mark;
    const char* personal;
    const char* legal;
  };
  for (const Case& c : {Case{"F", "PF", "2750312060014", " - "}, Case{"J", "PJ", " - ", "2750312060014"}}) {
    Receipt receipt = sampleReceipt(1);
    receipt.personKind = c.kind;
    const QStringList texts = copyTexts(layOutReceipt(receipt).pages[0], 0);
    EXPECT_EQ(texts.mid(texts.indexOf("Cod numeric personal"), 2),
              QStringList({"Cod numeric personal", c.personal}));
    EXPECT_EQ(texts.mid(texts.indexOf("Cod unic de inregistrare"), 2),
              QStringList({"Cod unic de inregistrare", c.legal}));
    EXPECT_TRUE(texts.contains(c.mark));
  }
}

TEST(ReceiptReport, SealLinesOnlyForVardeni) {
  const QString first = "Chitantele sunt valabile numai daca au aplicat pe verso";
  const QString second = "sigiliul autoritatii administratiei publice locale.";
  for (const auto& [locality, shown] : {std::pair{"Vardeni", true}, std::pair{"sat vardeni de sus", true},
                                        std::pair{"Varzari", false}, std::pair{"", false}}) {
    Receipt receipt = sampleReceipt(1);
    receipt.townHall.locality = locality;
    const ReportPage page = layOutReceipt(receipt).pages[0];
    for (int copy = 0; copy < 2; ++copy) {
      const QStringList texts = copyTexts(page, copy);
      EXPECT_EQ(texts.contains(first), shown) << locality;
      EXPECT_EQ(texts.contains(second), shown) << locality;
    }
  }
}

TEST(ReceiptReport, LongGroupAndDocumentNamesStayInsideTheirSlot) {
  Receipt receipt = sampleReceipt(2);
  receipt.lines[0].group = QString("Taxa pentru eliberarea autorizatiei de construire ").left(60);
  receipt.lines[0].document = QString("Autorizatia de construire nr. 1234 din 12.03.2014 ").left(50);
  const ReportDocument doc = layOutReceipt(receipt);
  for (const ReportItem& item : doc.pages[0].items) {
    if (item.kind == ItemKind::Text && item.text().startsWith("Taxa pentru")) {
      EXPECT_LE(item.lines.size() * lineHeight(item.style), item.rect.height());
    }
  }
  // The next slot stays where the form puts it.
  const QStringList texts = copyTexts(doc.pages[0], 0);
  EXPECT_EQ(slotTexts(texts, 1).first(), "Grupa 2 - Doc 2");
}

TEST(ReceiptReport, EveryMarkStaysWhereAPrinterReaches) {
  Receipt receipt = sampleReceipt(9);
  receipt.townHall.locality = "Vardeni";
  const QRectF printable(6, 6, 210 - 12, 297 - 12);
  for (const ReportItem& item : layOutReceipt(receipt).pages[0].items) {
    if (item.dashed) continue;  // the cut between the copies runs to the edges
    // Corners, as lines are rectangles without width or height.
    EXPECT_TRUE(printable.contains(item.rect.topLeft()) && printable.contains(item.rect.bottomRight()))
        << item.text().toStdString();
  }
}

TEST(ReceiptReport, GroupedLinesOfTheDocumentMakeTheReceipt) {
  using engine::Value;
  const std::vector<std::string> names = {"SERIA",    "NR",       "DATAI", "ROL",    "GRUPA", "DENUM",
                                          "CODCLAS",  "NUMEP",    "CNP",   "ADRESA", "TIPF",  "PLATNUME",
                                          "INCANUME", "LEGITIMA", "RAM1",  "CUR1",   "PEN1",  "RED1"};
  std::vector<Value> cells;
  for (const char* group : {"Impozit pe cladiri", "Amenzi"}) {
    for (const Value& v : {Value::text("AB"), Value::integer(17), Value::text("28.03.2014"),
                           Value::text("12"), Value::text(group), Value::text(""), Value::text("070201"),
                           Value::text("Pop Ana  "), Value::text("2750312060014"), Value::text("Str. Mare"),
                           Value::text("F"), Value::text("Pop Ion"), Value::text("casier"), Value::text("L1"),
                           Value::integer(10), Value::integer(90), Value::integer(2), Value::integer(1)}) {
      cells.push_back(v);
    }
  }
  const engine::MaterializedResult rows(names, cells);
  const Receipt receipt = receiptFromGroupedLines(rows, {"Cluj", "Primaria X", "1", "Vardeni"});
  EXPECT_EQ(receipt.series, "AB");
  EXPECT_EQ(receipt.number, "17");
  EXPECT_EQ(receipt.date, QDate(2014, 3, 28));
  EXPECT_EQ(receipt.taxpayer, "Pop Ana");
  EXPECT_EQ(receipt.townHall.locality, "Vardeni");
  ASSERT_EQ(receipt.lines.size(), 2);
  EXPECT_EQ(receipt.lines[1].group, "Amenzi");
  EXPECT_EQ(receipt.lines[1].arrears, 10);
  EXPECT_EQ(receipt.lines[1].current, 90);
  EXPECT_EQ(receiptTotals(receipt).total, 2 * (10 + 90 + 2 - 1));
}

}  // namespace
}  // namespace dajdor::report
